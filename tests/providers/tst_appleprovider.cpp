#include "providers/appleprovider.h"

#include "readertesting.h"

#include <QTest>

using namespace ReaderTesting;

class TestAppleProvider : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { trustFakeServer(); }

    void feedSelection_data()
    {
        QTest::addColumn<QUrl>("url");
        QTest::addColumn<bool>("developer");
        QTest::newRow("developer site") << QUrl(u"https://developer.apple.com/system-status/"_qs) << true;
        QTest::newRow("developer host inside a longer host") << QUrl(u"https://beta.developer.apple.com.example/"_qs) << true;
        QTest::newRow("consumer site") << QUrl(u"https://www.apple.com/support/systemstatus/"_qs) << false;
        QTest::newRow("developer in the path only") << QUrl(u"https://example.com/developer.apple.com"_qs) << false;
        QTest::newRow("no host") << QUrl(u"system status"_qs) << false;
    }

    void feedSelection()
    {
        QFETCH(QUrl, url);
        QFETCH(bool, developer);
        QCOMPARE(AppleProvider::feed(url), developer ? AppleProvider::developerFeed() : AppleProvider::consumerFeed());
        QCOMPARE(AppleProvider::developerFeed().path(), u"/support/systemstatus/data/developer/system_status_en_US.js"_qs);
    }

    void extractJSON_data()
    {
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<std::optional<QByteArray>>("json");
        QTest::newRow("callback wrapper") << QByteArray("jsonCallback({\"services\":[]});")
                                          << std::optional<QByteArray>("{\"services\":[]}");
        QTest::newRow("plain object") << QByteArray("{\"a\":{}}") << std::optional<QByteArray>("{\"a\":{}}");
        QTest::newRow("no closing brace") << QByteArray("cb({\"a\":1") << std::optional<QByteArray>();
        QTest::newRow("braces reversed") << QByteArray("} x {") << std::optional<QByteArray>();
        QTest::newRow("not UTF-8") << QByteArray("cb({\"a\":\"\xff\"})") << std::optional<QByteArray>();
        QTest::newRow("empty") << QByteArray() << std::optional<QByteArray>();
    }

    void extractJSON()
    {
        QFETCH(QByteArray, body);
        QTEST(AppleProvider::extractJSON(body), "json");
    }

    void evaluate_data()
    {
        QTest::addColumn<QByteArray>("payload");
        QTest::addColumn<Indicator>("indicator");
        QTest::addColumn<QString>("description");
        const auto entry = [](const char *name, const char *events) -> QByteArray {
            return QByteArray("{\"serviceName\":\"") + name + "\",\"events\":[" + events + "]}";
        };
        const auto payload = [](const QList<QByteArray> &entries) -> QByteArray {
            return QByteArray("{\"services\":[") + entries.join(',') + "]}";
        };
        QTest::newRow("nothing open") << payload({entry("Maps", ""), entry("Mail", R"({"eventStatus":"resolved"})")})
                                      << Indicator::None << u"All Systems Operational"_qs;
        QTest::newRow("only the first present member counts")
            << payload({entry("Maps", R"({"eventStatus":"resolved","statusType":"Outage"})")}) << Indicator::None
            << u"All Systems Operational"_qs;
        QTest::newRow("status type outage") << payload({entry("Siri", R"({"statusType":"Outage"})")}) << Indicator::Major
                                            << u"Siri"_qs;
        QTest::newRow("ongoing is minor") << payload({entry("Mail", R"({"eventStatus":"ongoing","statusType":"Outage"})")})
                                          << Indicator::Minor << u"Mail"_qs;
        QTest::newRow("completed in capitals") << payload({entry("Mail", R"({"eventStatus":"COMPLETED"})")})
                                               << Indicator::None << u"All Systems Operational"_qs;
        QTest::newRow("empty state is not open") << payload({entry("Mail", R"({"eventStatus":""})")}) << Indicator::None
                                                 << u"All Systems Operational"_qs;
        QTest::newRow("two affected")
            << payload({entry("Mail", R"({"messageType":"Issue"})"), entry("Maps", ""), entry("TV", R"({"eventStatus":"ongoing"})")})
            << Indicator::Minor << u"Mail, TV"_qs;
        QTest::newRow("three affected")
            << payload({entry("iCloud Mail", R"({"eventStatus":"ongoing"})"), entry("Maps", R"({"statusType":"Outage"})"),
                        entry("Siri", R"({"eventStatus":"ongoing"})")})
            << Indicator::Major << u"iCloud Mail, Maps (+1 more)"_qs;
        QTest::newRow("empty name") << payload({entry("", R"({"eventStatus":"ongoing"})")}) << Indicator::Minor
                                    << u"Degraded Performance"_qs;
    }

    void evaluate()
    {
        QFETCH(QByteArray, payload);
        const AppleProvider::DecodedPayload decoded = AppleProvider::decode(payload);
        QVERIFY2(decoded.services, qPrintable(decoded.error));
        const ServiceStatusResult result = AppleProvider::evaluate(service(ProviderKind::Apple), *decoded.services);
        QTEST(result.indicator, "indicator");
        QTEST(result.description, "description");
    }

    void decodeFailures_data()
    {
        QTest::addColumn<QByteArray>("payload");
        QTest::newRow("no services") << QByteArray("{}");
        QTest::newRow("entry without events") << QByteArray(R"({"services":[{"serviceName":"Maps"}]})");
        QTest::newRow("entry without name") << QByteArray(R"({"services":[{"events":[]}]})");
        QTest::newRow("status of wrong type") << QByteArray(R"({"services":[{"serviceName":"M","events":[{"eventStatus":1}]}]})");
    }

    void decodeFailures()
    {
        QFETCH(QByteArray, payload);
        const AppleProvider::DecodedPayload decoded = AppleProvider::decode(payload);
        QVERIFY(!decoded.services);
        QVERIFY(!decoded.error.isEmpty());
    }

    void throughTheServer()
    {
        FakeServer server;
        const FeedOrigin origin(server);
        server.setRoute("/support/systemstatus/data/developer/system_status_en_US.js",
                        FakeRoute::text(fixture(u"apple/system_status.js"_qs)));
        server.setRoute("/support/systemstatus/data/system_status_en_US.js", FakeRoute::text("no JSON here"));
        AppleProvider reader{HttpSession()};
        ServiceStatusResult result = QCoro::waitFor(
            reader.fetch(service(ProviderKind::Apple, QUrl(u"https://developer.apple.com/system-status/"_qs))));
        QCOMPARE(result.indicator, Indicator::Major);
        QCOMPARE(result.description, u"iCloud Mail, Siri (+1 more)"_qs);

        result = QCoro::waitFor(reader.fetch(service(ProviderKind::Apple, QUrl(u"https://www.apple.com/"_qs))));
        QCOMPARE(result.indicator, Indicator::Unknown);
        QCOMPARE(result.description, u"Unexpected format"_qs);
    }
};

QTEST_GUILESS_MAIN(TestAppleProvider)
#include "tst_appleprovider.moc"
