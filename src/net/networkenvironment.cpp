#include "net/networkenvironment.h"

#include "core/webaddress.h"

#include <QFile>
#include <QMutex>

#include <cstdio>
#include <memory>
#include <openssl/pem.h>
#include <openssl/x509.h>

namespace NetworkEnvironment {

namespace {

QMutex s_mutex;
std::optional<QUrl> s_origin;
QList<QByteArray> s_extraCertificates;
int s_extraGeneration = 0;

void warn(const QString &message)
{
    std::fprintf(stderr, "glinter: %s\n", qUtf8Printable(message));
}

} // namespace

void apply(const Options &options)
{
    if (!options.feedOrigin.isEmpty()) {
        const QUrl url(options.feedOrigin, QUrl::StrictMode);
        if (isWebAddress(url))
            setFeedOrigin(url);
        else
            warn(QStringLiteral("GLINTER_FEED_ORIGIN is not an http(s) origin: ") + options.feedOrigin);
    }
    if (!options.extraCaCertificates.isEmpty() && addCaCertificates(options.extraCaCertificates) == 0)
        warn(QStringLiteral("GLINTER_EXTRA_CA_CERTS holds no readable PEM certificate: ")
             + options.extraCaCertificates);
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
    // Read with OpenSSL rather than QSslCertificate, which would load Qt's TLS backend into a
    // process that may never use it.
    QFile file(pemPath);
    if (!file.open(QIODevice::ReadOnly))
        return 0;
    const QByteArray pem = file.readAll();
    const std::unique_ptr<BIO, decltype(&BIO_free)> input(BIO_new_mem_buf(pem.constData(), int(pem.size())), &BIO_free);
    QList<QByteArray> extra;
    while (X509 *certificate = PEM_read_bio_X509(input.get(), nullptr, nullptr, nullptr)) {
        const int size = i2d_X509(certificate, nullptr);
        if (size > 0) {
            QByteArray der(size, Qt::Uninitialized);
            auto *out = reinterpret_cast<unsigned char *>(der.data());
            i2d_X509(certificate, &out);
            extra.append(der);
        }
        X509_free(certificate);
    }
    if (extra.isEmpty())
        return 0;
    QMutexLocker lock(&s_mutex);
    s_extraCertificates += extra;
    ++s_extraGeneration;
    return int(extra.size());
}

ExtraCertificates extraCaCertificates()
{
    QMutexLocker lock(&s_mutex);
    return {s_extraCertificates, s_extraGeneration};
}

} // namespace NetworkEnvironment
