#include "platform/loginitem.h"

#include <QDebug>

void LoginItem::setEnabled(bool enabled)
{
    const Status current = status();
    std::optional<QString> failure;
    if (enabled && current != Status::Enabled)
        failure = registerItem();
    else if (!enabled && current == Status::Enabled)
        failure = unregisterItem();
    if (!failure)
        return;
    // One line in the log (the journal under systemd), whatever the reason holds.
    QString reason = *failure;
    reason.replace(u'\n', u' ');
    qWarning().noquote() << QStringLiteral("Glinter: launch-at-login toggle failed: ") + reason;
}
