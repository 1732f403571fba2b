#pragma once

#include "ui/common/popover.h"

#include <QHash>

class CheckRow;
class QPushButton;

// The AWS region filter's picker: a small window (290 × 400) anchored under the row that
// opens it, with "Monitor all" and one check row per region of AWSRegionFilter::groups(),
// by group. Every press is stored at once through AWSRegionFilter::setSelected(). A tool
// window rather than a popup, so that screen readers see it; it hides when it loses focus.
class AWSRegionPicker : public Popover
{
    Q_OBJECT

public:
    explicit AWSRegionPicker(QWidget *parent = nullptr);


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

private:
    // Shows the stored selection.
    void updateRows();

    QPushButton *m_monitorAll;
    QHash<QString, CheckRow *> m_rows;
};
