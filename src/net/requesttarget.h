#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QUrl>

// What a request needs of its URL, made once per exchange: Qt's encoding of a URL costs more
// than the rest of an exchange's setup.
struct RequestTarget {
    // The URL as libcurl takes it.
    QByteArray encoded;
    // "scheme://host:port" as the URL names it, without user info: what TLS sessions and proxy
    // answers are kept by.
    QByteArray origin;

    static RequestTarget of(const QUrl &url);
    // The origin of a fully encoded URL; empty when it has none.
    static QByteArray originOf(QByteArrayView encoded);
};
