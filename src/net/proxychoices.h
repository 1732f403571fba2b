#pragma once

#include <QByteArray>
#include <QHash>
#include <QUrl>

#include <chrono>
#include <functional>

// A proxy as libcurl takes it; an empty address for none.
struct ProxyChoice {
    QByteArray address;
    QByteArray user;
    QByteArray password;

    bool operator==(const ProxyChoice &) const = default;
};

// The proxy Qt's access manager would use for a URL. Qt asks for it at every request; from the
// system's configuration (libproxy on Linux) one answer costs about a tenth of a millisecond of
// CPU and a round trip to another thread, more than the whole exchange with a nearby server.
// So the system's answers are kept per origin for ten minutes, beyond the usual refresh interval,
// and a change of the system's proxy settings applies within that time; the application's own
// proxy is asked for every time (it is cheap, and may change at any moment).
class ProxyChoices
{
public:
    using Clock = std::chrono::steady_clock;
    struct Source {
        // Whether the answers come from the system's configuration.
        std::function<bool()> fromSystem;
        std::function<ProxyChoice(const QUrl &)> ask;
    };

    static constexpr std::chrono::minutes kept{10};
    // Past this many origins, those whose answers are old go.
    static constexpr qsizetype maxOrigins = 20000;

    explicit ProxyChoices(Source source = qtSource());

    // `origin` is the URL's (RequestTarget::origin), which the answers are kept by.
    ProxyChoice forUrl(const QUrl &url, const QByteArray &origin, Clock::time_point now = Clock::now());
    qsizetype knownOrigins() const { return m_known.size(); }

    // Qt's own answer (the application's proxy, or the system's, never one for a loopback
    // address), as libcurl names it.
    static ProxyChoice askQt(const QUrl &url);
    static Source qtSource();

private:
    struct Known {
        ProxyChoice choice;
        Clock::time_point until;
    };

    Source m_source;
    QHash<QByteArray, Known> m_known;
};
