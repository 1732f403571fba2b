#include "net/proxychoices.h"

#include <QNetworkProxyFactory>

ProxyChoices::ProxyChoices(Source source)
    : m_source(std::move(source))
{
}

ProxyChoices::Source ProxyChoices::qtSource()
{
    return {&QNetworkProxyFactory::usesSystemConfiguration, &ProxyChoices::askQt};
}

ProxyChoice ProxyChoices::forUrl(const QUrl &url, const QByteArray &origin, Clock::time_point now)
{
    if (!m_source.fromSystem()) {
        m_known.clear();
        return m_source.ask(url);
    }
    const auto known = m_known.constFind(origin);
    if (known != m_known.cend() && now < known->until)
        return known->choice;
    if (m_known.size() >= maxOrigins) {
        m_known.removeIf([now](const auto &entry) { return now >= entry.value().until; });
        if (m_known.size() >= maxOrigins)
            m_known.clear();
    }
    ProxyChoice choice = m_source.ask(url);
    m_known.insert(origin, {choice, now + kept});
    return choice;
}

ProxyChoice ProxyChoices::askQt(const QUrl &url)
{
    const bool secure = url.scheme() == u"https";
    const QList<QNetworkProxy> proxies = QNetworkProxyFactory::proxyForQuery(QNetworkProxyQuery(url));
    for (const QNetworkProxy &proxy : proxies) {
        QByteArray scheme;
        switch (proxy.type()) {
        case QNetworkProxy::NoProxy:
        case QNetworkProxy::DefaultProxy:
            return {};
        case QNetworkProxy::HttpProxy:
            scheme = "http://";
            break;
        case QNetworkProxy::HttpCachingProxy:
            if (secure)
                continue;
            scheme = "http://";
            break;
        case QNetworkProxy::Socks5Proxy:
            scheme = "socks5h://";
            break;
        case QNetworkProxy::FtpCachingProxy:
            continue;
        }
        const QByteArray host = proxy.hostName().contains(u':') ? '[' + proxy.hostName().toUtf8() + ']'
                                                                : QUrl::toAce(proxy.hostName());
        return {scheme + host + ':' + QByteArray::number(proxy.port()), proxy.user().toUtf8(),
                proxy.password().toUtf8()};
    }
    return {};
}
