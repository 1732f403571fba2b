#include "net/curltrust.h"

#include "net/networkenvironment.h"

#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

#include <mutex>
#include <openssl/x509.h>

namespace CurlTrust {

namespace {

// Whether `folder` holds certificates under the names OpenSSL looks them up by.
bool isHashedFolder(const QString &folder)
{
    QDirIterator names(folder,
                       {QStringLiteral("[0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f].[0-9]")},
                       QDir::Files);
    return names.hasNext();
}

X509_STORE *buildStore(const QList<QByteArray> &extra)
{
    X509_STORE *store = X509_STORE_new();
    if (!store)
        return nullptr;
    // OpenSSL's own folder (/usr/lib/ssl/certs on Debian) and the usual one. Like Qt, and
    // unlike OpenSSL's defaults, not SSL_CERT_FILE or SSL_CERT_DIR: the network environment's
    // extra authorities are the one way to trust more.
    bool hashed = false;
    QStringList seen;
    for (const char *folder : {X509_get_default_cert_dir(), "/etc/ssl/certs"}) {
        const QString canonical = QFileInfo(QFile::decodeName(folder)).canonicalFilePath();
        if (canonical.isEmpty() || seen.contains(canonical) || !isHashedFolder(canonical))
            continue;
        seen.append(canonical);
        hashed = X509_STORE_load_path(store, QFile::encodeName(canonical).constData()) == 1 || hashed;
    }
    // Without hashed folders, the system's bundle, read whole once.
    if (!hashed)
        X509_STORE_load_file(store, X509_get_default_cert_file());

    for (const QByteArray &der : extra) {
        const auto *bytes = reinterpret_cast<const unsigned char *>(der.constData());
        X509 *parsed = d2i_X509(nullptr, &bytes, long(der.size()));
        if (parsed) {
            X509_STORE_add_cert(store, parsed);
            X509_free(parsed);
        }
    }
    return store;
}

} // namespace

void useSharedStore(SSL_CTX *context)
{
    static std::mutex mutex;
    static X509_STORE *shared = nullptr;
    static int generation = -1;

    const NetworkEnvironment::ExtraCertificates extra = NetworkEnvironment::extraCaCertificates();
    const std::lock_guard lock(mutex);
    if (!shared || generation != extra.generation) {
        // Connections still holding the old store keep their reference.
        X509_STORE_free(shared);
        shared = buildStore(extra.certificates);
        generation = extra.generation;
    }
    if (shared && X509_STORE_up_ref(shared) == 1)
        SSL_CTX_set_cert_store(context, shared);
}

} // namespace CurlTrust
