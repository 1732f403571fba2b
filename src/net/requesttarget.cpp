#include "net/requesttarget.h"

RequestTarget RequestTarget::of(const QUrl &url)
{
    QByteArray encoded = url.toEncoded();
    QByteArray origin = originOf(encoded);
    return {std::move(encoded), std::move(origin)};
}

QByteArray RequestTarget::originOf(QByteArrayView encoded)
{
    const qsizetype separator = encoded.indexOf("://");
    if (separator <= 0)
        return {};
    const qsizetype start = separator + 3;
    qsizetype end = start;
    while (end < encoded.size() && encoded[end] != '/' && encoded[end] != '?' && encoded[end] != '#')
        ++end;
    // User info ends at the authority's last "@"; in encoded form none is left in the host.
    const qsizetype at = encoded.first(end).lastIndexOf('@');
    const qsizetype host = at >= start ? at + 1 : start;
    QByteArray origin;
    origin.reserve(start + end - host);
    origin.append(encoded.first(start));
    origin.append(encoded.sliced(host, end - host));
    return origin;
}
