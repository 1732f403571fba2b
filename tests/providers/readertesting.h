#pragma once

// Helpers shared by the feed readers' tests.

#include "core/service.h"
#include "fakeserver.h"
#include "providers/networkenvironment.h"

#include <QFile>
#include <QTest>
#include <QUuid>

#include <qcoro/qcorotask.h>

namespace ReaderTesting {

inline Service service(ProviderKind kind, const QUrl &url = QUrl(QStringLiteral("https://status.example.com")))
{
    return Service{QUuid::createUuid(), QStringLiteral("Example"), url, kind, std::nullopt};
}

inline QByteArray fixture(const QString &relative)
{
    QFile file(QStringLiteral(GLINTER_TEST_DATA "/feeds/") + relative);
    if (!file.open(QIODevice::ReadOnly))
        qFatal("missing fixture %s", qPrintable(relative));
    return file.readAll();
}

// Trusts the fake server's authority and moves every fixed feed to it for the life of
// the object.
class FeedOrigin
{
public:
    explicit FeedOrigin(const FakeServer &server)
    {
        NetworkEnvironment::setFeedOrigin(server.httpsOrigin());
    }
    ~FeedOrigin() { NetworkEnvironment::setFeedOrigin(std::nullopt); }
    FeedOrigin(const FeedOrigin &) = delete;
    FeedOrigin &operator=(const FeedOrigin &) = delete;
};

inline void trustFakeServer()
{
    static const bool trusted = NetworkEnvironment::addCaCertificates(FakeServer::caCertificatePath()) > 0;
    QVERIFY(trusted);
}

} // namespace ReaderTesting

// QCOMPARE prints indicators by name.
namespace QTest {
template<>
inline char *toString(const Indicator &indicator)
{
    return qstrdup(qPrintable(indicatorName(indicator)));
}
} // namespace QTest
