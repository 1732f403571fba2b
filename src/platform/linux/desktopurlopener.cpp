#include "platform/linux/desktopurlopener.h"

#include <QDesktopServices>
#include <QGuiApplication>
#include <QProcess>

void DesktopUrlOpener::open(const QUrl &url)
{
    // QDesktopServices needs the GUI's platform integration; a console run (tools,
    // tests) asks xdg-open directly, which is what the GUI would end up doing too.
    if (qobject_cast<QGuiApplication *>(QCoreApplication::instance())) {
        QDesktopServices::openUrl(url);
        return;
    }
    QProcess::startDetached(QStringLiteral("xdg-open"), {url.toString(QUrl::FullyEncoded)});
}

std::unique_ptr<UrlOpener> makeUrlOpener()
{
    return std::make_unique<DesktopUrlOpener>();
}
