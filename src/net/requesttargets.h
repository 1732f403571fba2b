#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QHash>
#include <QUrl>

// What a request needs of its URL, made once per distinct URL: Qt's encoding of a URL costs
// more than the rest of an exchange's setup, and a refresh asks for the same URLs each time.
class RequestTargets
{
public:
    struct Target {
        // The URL as libcurl takes it.
        QByteArray encoded;
        // "scheme://host:port" as the URL names it, without user info: what TLS sessions and
        // proxy answers are kept by.
        QByteArray origin;
    };

    // Past this many URLs, all are forgotten and made again as they come.
    static constexpr qsizetype maxTargets = 20000;

    Target forUrl(const QUrl &url);
    qsizetype size() const { return m_known.size(); }

    // The origin of a fully encoded URL; empty when it has none.
    static QByteArray originOf(QByteArrayView encoded);

private:
    QHash<QUrl, Target> m_known;
};
