#pragma once

#include "catalog/catalogentry.h"
#include "core/indicator.h"
#include "core/service.h"

#include <QWidget>

#include <optional>

class ComponentsButton;
class MuteButton;
class QLabel;
class QPushButton;
class RemoveButton;
class StatusMonitor;
class SwitchButton;

// The state symbol in front of a settings row: the state's glyph and colour, or, for a
// catalog entry without a result, a faded check mark.
class StateGlyphLabel : public QWidget
{
    Q_OBJECT

public:
    enum class Missing { Faded, Unknown };

    explicit StateGlyphLabel(Missing missing, QWidget *parent = nullptr);

    void setIndicator(std::optional<Indicator> indicator);

    QSize sizeHint() const override { return QSize(16, 16); }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    Missing m_missing;
    std::optional<Indicator> m_indicator;
};

// One catalog entry: the "Monitor …" switch, the state, the name over the host and, while
// monitored, the components and mute buttons. Refilled in place when the list changes.
class CatalogRow : public QWidget
{
    Q_OBJECT

public:
    CatalogRow(StatusMonitor &monitor, const CatalogEntry &entry, QWidget *parent = nullptr);

    const CatalogEntry &entry() const { return m_entry; }
    // The monitored service standing for the entry, if any, and its current result.
    void setService(const std::optional<Service> &service);
    void updateState();

private:
    StatusMonitor &m_monitor;
    CatalogEntry m_entry;
    std::optional<Service> m_service;
    SwitchButton *m_switch;
    StateGlyphLabel *m_glyph;
    ComponentsButton *m_components;
    MuteButton *m_mute;
};

// A monitored service in the reorderable list (drag handle, name) or in "Custom" (name over
// host). Rows are kept in a pool and refilled with whichever service now stands at their
// place. Alt+Up and Alt+Down ask to move the service one place.
class ListedServiceRow : public QWidget
{
    Q_OBJECT

public:
    enum class Kind { Reorder, Custom };

    ListedServiceRow(StatusMonitor &monitor, Kind kind, QWidget *parent = nullptr);

    void setService(const Service &service);
    const Service &service() const { return m_service; }
    void updateState();

Q_SIGNALS:
    void moveRequested(int delta);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    StatusMonitor &m_monitor;
    Kind m_kind;
    Service m_service;
    StateGlyphLabel *m_glyph;
    QLabel *m_name;
    QLabel *m_host = nullptr;
    ComponentsButton *m_components;
    MuteButton *m_mute;
    RemoveButton *m_remove;
};

// A category's title and its "Select all" / "Deselect all" button, acting on the entries
// the search leaves under it.
class CategoryHeader : public QWidget
{
    Q_OBJECT

public:
    CategoryHeader(StatusMonitor &monitor, const QString &title, QWidget *parent = nullptr);

    void setEntries(const QList<CatalogEntry> &entries);
    void updateButton();

private:
    bool allMonitored() const;

    StatusMonitor &m_monitor;
    QString m_title;
    QList<CatalogEntry> m_entries;
    QPushButton *m_button;
};
