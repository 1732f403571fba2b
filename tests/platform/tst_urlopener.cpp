#include "platform/null/nullurlopener.h"
#include "platform/urlopener.h"

#include <QTest>

class TestUrlOpener : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void onlyWebPagesAreOpened_data()
    {
        QTest::addColumn<QString>("address");
        QTest::addColumn<bool>("opened");

        QTest::newRow("https") << QStringLiteral("https://www.githubstatus.com/incidents/x") << true;
        QTest::newRow("http") << QStringLiteral("http://127.0.0.1:8080/") << true;
        QTest::newRow("file") << QStringLiteral("file:///etc/passwd") << false;
        QTest::newRow("custom scheme") << QStringLiteral("steam://run/1") << false;
        QTest::newRow("javascript") << QStringLiteral("javascript:alert(1)") << false;
        QTest::newRow("no host") << QStringLiteral("https:///path") << false;
        QTest::newRow("relative") << QStringLiteral("/etc/passwd") << false;
        QTest::newRow("empty") << QString() << false;
    }

    void onlyWebPagesAreOpened()
    {
        QFETCH(QString, address);
        QFETCH(bool, opened);
        auto recorder = std::make_unique<NullUrlOpener>();
        NullUrlOpener *seen = recorder.get();
        setUrlOpener(std::move(recorder));

        const QUrl url(address);
        QCOMPARE(openWebPage(url), opened);
        QCOMPARE(seen->opened(), opened ? QList<QUrl>{url} : QList<QUrl>{});
        setUrlOpener(nullptr);
    }
};

QTEST_GUILESS_MAIN(TestUrlOpener)
#include "tst_urlopener.moc"
