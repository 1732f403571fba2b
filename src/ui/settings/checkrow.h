#pragma once

#include <QAbstractButton>

// A whole-row toggle: a check mark or an empty circle, a title and an optional detail
// under it. Reads as its title, "Selected" or "Not selected". The owner follows toggled()
// and may set the state back with setOn().
class CheckRow : public QAbstractButton
{
    Q_OBJECT

public:
    explicit CheckRow(const QString &title, const QString &detail = {}, QWidget *parent = nullptr);

    void setOn(bool on);
    bool isOn() const { return m_on; }
    QString title() const { return m_title; }

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QString m_title;
    QString m_detail;
    bool m_on = false;
};
