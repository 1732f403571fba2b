#include "platform/linux/xdgautostart.h"

#include "core/atomicfile.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

XdgAutostart::XdgAutostart(QString program)
    : m_program(std::move(program))
{
}

QString XdgAutostart::entryPath()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)
           + QStringLiteral("/autostart/glinter.desktop");
}

QString XdgAutostart::execValue(const QString &program)
{
    // The Exec key quotes an argument holding reserved characters in double quotes, with
    // ", `, $ and \ escaped by a backslash inside them; the key's value is a string, whose
    // own escaping then doubles every backslash.
    static const QString reserved = QStringLiteral(" \t\n\"'\\><~|&;$*?#()`");
    bool needsQuotes = false;
    for (const QChar c : program)
        needsQuotes = needsQuotes || reserved.contains(c);
    if (!needsQuotes)
        return program;
    QString quoted = QStringLiteral("\"");
    for (const QChar c : program) {
        if (c == u'"' || c == u'`' || c == u'$' || c == u'\\')
            quoted += u'\\';
        quoted += c;
    }
    quoted += u'"';
    return quoted.replace(u'\\', QStringLiteral("\\\\"));
}

QByteArray XdgAutostart::entry(const QString &program)
{
    const QString text = QStringLiteral("[Desktop Entry]\n"
                                        "Type=Application\n"
                                        "Name=Glinter\n"
                                        "Comment=Watches the status pages of the services you depend on\n"
                                        "Icon=glinter\n"
                                        "Exec=")
                         + execValue(program)
                         + QStringLiteral("\n"
                                          "Terminal=false\n"
                                          "X-GNOME-Autostart-enabled=true\n");
    return text.toUtf8();
}

LoginItem::Status XdgAutostart::status() const
{
    QFile file(entryPath());
    if (!file.open(QIODevice::ReadOnly))
        return Status::NotRegistered;
    // The desktop switches an entry off with Hidden=true or, on GNOME, the key below; the
    // entry stays in place.
    bool off = false;
    bool inEntry = false;
    while (!file.atEnd()) {
        const QByteArray line = file.readLine().trimmed();
        if (line.startsWith('['))
            inEntry = line == "[Desktop Entry]";
        else if (inEntry && (line == "Hidden=true" || line == "X-GNOME-Autostart-enabled=false"))
            off = true;
    }
    return off ? Status::Disabled : Status::Enabled;
}

std::optional<QString> XdgAutostart::registerItem()
{
    return AtomicFile::write(entryPath(), entry(m_program)).error;
}

std::optional<QString> XdgAutostart::unregisterItem()
{
    QFile file(entryPath());
    if (!file.exists())
        return std::nullopt;
    if (!file.remove())
        return file.errorString();
    return std::nullopt;
}

std::unique_ptr<LoginItem> makeLoginItem()
{
    // The entry outlives this run, so it starts the installed program; a build that runs
    // from its tree (and was never installed) starts itself.
    const QString installed = QStringLiteral(GLINTER_INSTALLED_BINARY);
    const QString program = QFileInfo(installed).isExecutable() ? installed : QCoreApplication::applicationFilePath();
    return std::make_unique<XdgAutostart>(program);
}
