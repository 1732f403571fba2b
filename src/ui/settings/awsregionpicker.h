#pragma once

#include "ui/common/popover.h"

#include <QHash>

class CheckRow;
class Settings;
class QPushButton;

// The AWS region filter's picker: a small window (290 × 400) anchored under the row that
// opens it, with "Monitor all" and one check row per region of AWSRegions::groups(),
// by group. Every press is stored at once in the settings' awsRegions. A tool
// window rather than a popup, so that screen readers see it; it hides when it loses focus.
class AWSRegionPicker : public Popover
{
    Q_OBJECT

public:
    explicit AWSRegionPicker(Settings &settings, QWidget *parent = nullptr);

    // Adds the code to the stored selection, or removes it when present.
    void toggle(const QString &code);
    // Adds the code to the stored selection or removes it; nothing when it is already so.
    void setRegion(const QString &code, bool on);
    // Empties the stored selection: every region counts again.
    void monitorAll();

private:
    // Shows the stored selection.
    void updateRows();

    Settings &m_settings;
    QPushButton *m_monitorAll;
    QHash<QString, CheckRow *> m_rows;
};
