#pragma once

#include <QObject>

#include <memory>

// Whether an X11 system tray (the XEmbed protocol: trayer, stalonetray, older panels)
// manages the screen, followed as trays start and quit.
class XEmbedTray : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;

    virtual bool isPresent() const = 0;

Q_SIGNALS:
    void presentChanged(bool present);
};

// Outside an X11 session, one that is never present.
std::unique_ptr<XEmbedTray> makeXEmbedTray();
