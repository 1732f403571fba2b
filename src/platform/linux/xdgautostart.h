#pragma once

#include "platform/loginitem.h"

// Launch at login through the XDG autostart folder: a desktop entry
// $XDG_CONFIG_HOME/autostart/glinter.desktop that starts the installed program.
class XdgAutostart : public LoginItem
{
public:
    // `program` is what the entry starts.
    explicit XdgAutostart(QString program);

    Status status() const override;
    std::optional<QString> registerItem() override;
    std::optional<QString> unregisterItem() override;

    // Where the entry lives, read from the environment on every call.
    static QString entryPath();
    // The entry's text for `program`.
    static QByteArray entry(const QString &program);
    // `program` quoted as the Exec key wants it.
    static QString execValue(const QString &program);

private:
    QString m_program;
};
