#include "net/networkenvironment.h"

#include "core/webaddress.h"

#include <QMutex>
#include <QSslCertificate>
#include <QSslConfiguration>

#include <cstdio>

namespace NetworkEnvironment {

namespace {

QMutex s_mutex;
std::optional<QUrl> s_origin;

void warn(const QString &message)
{
    std::fprintf(stderr, "glinter: %s\n", qUtf8Printable(message));
}

} // namespace

void loadFromEnvironment()
{
    const QString origin = qEnvironmentVariable("GLINTER_FEED_ORIGIN");
    if (!origin.isEmpty()) {
        const QUrl url(origin, QUrl::StrictMode);
        if (isWebAddress(url))
            setFeedOrigin(url);
        else
            warn(QStringLiteral("GLINTER_FEED_ORIGIN is not an http(s) origin: ") + origin);
    }

    const QString certificates = qEnvironmentVariable("GLINTER_EXTRA_CA_CERTS");
    if (!certificates.isEmpty() && addCaCertificates(certificates) == 0)
        warn(QStringLiteral("GLINTER_EXTRA_CA_CERTS holds no readable PEM certificate: ") + certificates);
}

std::optional<QUrl> feedOrigin()
{
    QMutexLocker lock(&s_mutex);
    return s_origin;
}

void setFeedOrigin(std::optional<QUrl> origin)
{
    QMutexLocker lock(&s_mutex);
    s_origin = std::move(origin);
}

QUrl fixedFeed(const QUrl &endpoint)
{
    const std::optional<QUrl> origin = feedOrigin();
    if (!origin)
        return endpoint;
    QUrl moved = endpoint;
    moved.setScheme(origin->scheme());
    moved.setHost(origin->host());
    moved.setPort(origin->port());
    return moved;
}

int addCaCertificates(const QString &pemPath)
{
    const QList<QSslCertificate> extra = QSslCertificate::fromPath(pemPath, QSsl::Pem);
    if (extra.isEmpty())
        return 0;
    // Adding to the default list would switch off the on-demand loading of the system's
    // roots, so the system's roots are put in explicitly.
    QSslConfiguration configuration = QSslConfiguration::defaultConfiguration();
    QList<QSslCertificate> all = configuration.caCertificates();
    if (all.isEmpty())
        all = QSslConfiguration::systemCaCertificates();
    all += extra;
    configuration.setCaCertificates(all);
    QSslConfiguration::setDefaultConfiguration(configuration);
    return int(extra.size());
}

} // namespace NetworkEnvironment
