#pragma once

#include <QAbstractButton>

// A row that stands for one choice in a list: a check mark (filled circle) or an empty
// circle, the title with an optional detail under it, the whole row the hit area, a soft
// background while hovered. Screen readers meet it as a check box named after the title.
// A press, or a screen reader's toggle action (which clicks nothing), flips it and emits
// toggled(): owners follow toggled(), and set the state they store with setChecked().
class CheckRow : public QAbstractButton
{
    Q_OBJECT

public:
    CheckRow(const QString &title, const QString &detail = {}, QWidget *parent = nullptr);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QString m_detail;
};
