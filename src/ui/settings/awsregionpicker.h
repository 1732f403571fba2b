#pragma once

#include <QHash>
#include <QWidget>

class CheckRow;
class QPushButton;

// The AWS region filter's picker: a small window (290 × 400) anchored under the row that
// opens it, with "Monitor all" and one check row per region of AWSRegionFilter::groups(),
// by group. Every press is stored at once through AWSRegionFilter::setSelected(). A tool
// window rather than a popup, so that screen readers see it; it hides when it loses focus.
class AWSRegionPicker : public QWidget
{
    Q_OBJECT

public:
    explicit AWSRegionPicker(QWidget *parent = nullptr);

    // Shows the picker under `anchor` (above it when there is no room below) and focuses it.
    void popUp(QWidget *anchor);

    // Adds the code to the stored selection, or removes it when present.
    void toggle(const QString &code);
    // Adds the code to the stored selection or removes it; nothing when it is already so.
    void setRegion(const QString &code, bool on);
    // Empties the stored selection: every region counts again.
    void monitorAll();

    CheckRow *row(const QString &code) const { return m_rows.value(code); }
    QPushButton *monitorAllButton() const { return m_monitorAll; }

Q_SIGNALS:
    // The stored selection was changed here.
    void selectionChanged();

protected:
    void showEvent(QShowEvent *event) override;
    void changeEvent(QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    // Shows the stored selection.
    void updateRows();

    QPushButton *m_monitorAll;
    QHash<QString, CheckRow *> m_rows;
};
