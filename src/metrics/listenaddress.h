#pragma once

#include <QHostAddress>
#include <QString>

#include <optional>

// Where the metrics endpoint listens.
struct ListenAddress {
    QHostAddress address;
    quint16 port = 0; // 0: any free port

    // Reads "ADDRESS:PORT" where ADDRESS is a numeric IPv4 address, a bracketed IPv6 address
    // ("[::1]:9842") or "localhost" (127.0.0.1); absent for anything else, a missing port too.
    static std::optional<ListenAddress> parse(const QString &text);

    // "127.0.0.1:9842", "[::1]:9842".
    QString toString() const;
};
