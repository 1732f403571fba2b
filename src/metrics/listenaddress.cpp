#include "metrics/listenaddress.h"

#include <algorithm>

std::optional<ListenAddress> ListenAddress::parse(const QString &text)
{
    const qsizetype colon = text.lastIndexOf(u':');
    if (colon <= 0)
        return std::nullopt;
    QString host = text.first(colon);
    const QString portText = text.sliced(colon + 1);
    // Digits only: toUInt would take a sign or surrounding spaces.
    if (portText.isEmpty() || portText.size() > 5
        || !std::all_of(portText.cbegin(), portText.cend(), [](QChar c) { return c >= u'0' && c <= u'9'; }))
        return std::nullopt;
    const uint port = portText.toUInt();
    if (port > 65535)
        return std::nullopt;

    const bool bracketed = host.startsWith(u'[') && host.endsWith(u']');
    if (bracketed)
        host = host.sliced(1, host.size() - 2);
    ListenAddress result;
    result.port = quint16(port);
    if (!bracketed && host == QLatin1String("localhost")) {
        result.address = QHostAddress(QHostAddress::LocalHost);
        return result;
    }
    // An IPv6 address needs its brackets, so that the port cannot be mistaken for a group.
    if (!bracketed && host.contains(u':'))
        return std::nullopt;
    if (!result.address.setAddress(host))
        return std::nullopt;
    const bool ipv6 = result.address.protocol() == QAbstractSocket::IPv6Protocol;
    if (bracketed != ipv6 || !result.address.scopeId().isEmpty())
        return std::nullopt;
    return result;
}

QString ListenAddress::toString() const
{
    const QString host = address.protocol() == QAbstractSocket::IPv6Protocol ? u'[' + address.toString() + u']'
                                                                             : address.toString();
    return host + u':' + QString::number(port);
}
