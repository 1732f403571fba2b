#include "providers/appleprovider.h"

#include "readertesting.h"

using namespace ReaderTesting;

class TestAppleProvider : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // A script with its object is read in throughTheServer.
    void scriptsWithoutAnObject()
    {
        QCOMPARE(AppleProvider::extractJSON("cb({\"a\":1"), std::nullopt);
        QCOMPARE(AppleProvider::extractJSON("} x {"), std::nullopt);
        QCOMPARE(AppleProvider::extractJSON("cb({\"a\":\"\xff\"})"), std::nullopt);
    }

    // "unreadable" when the payload does not decode.
    void evaluate_data()
    {
        QTest::addColumn<QByteArray>("payload");
        QTest::addColumn<QString>("expected");
        const auto entry = [](const char *name, const char *events) -> QByteArray {
            return QByteArray("{\"serviceName\":\"") + name + "\",\"events\":[" + events + "]}";
        };
        const auto payload = [](const QList<QByteArray> &entries) -> QByteArray {
            return QByteArray("{\"services\":[") + entries.join(',') + "]}";
        };
        QTest::newRow("closed in any case, empty, or closed by the first present member")
            << payload({entry("Maps", ""), entry("Mail", R"({"eventStatus":"resolved"})"),
                        entry("TV", R"({"eventStatus":"COMPLETED"})"), entry("Siri", R"({"eventStatus":""})"),
                        entry("Music", R"({"eventStatus":"resolved","statusType":"Outage"})")})
            << u"none: All Systems Operational"_qs;
        QTest::newRow("ongoing outweighs the outage type")
            << payload({entry("Mail", R"({"eventStatus":"ongoing","statusType":"Outage"})")}) << u"minor: Mail"_qs;
        QTest::newRow("two affected")
            << payload({entry("Mail", R"({"messageType":"Issue"})"), entry("Maps", ""), entry("TV", R"({"eventStatus":"ongoing"})")})
            << u"minor: Mail, TV"_qs;
        QTest::newRow("empty name") << payload({entry("", R"({"eventStatus":"ongoing"})")}) << u"minor: Degraded Performance"_qs;
        QTest::newRow("no services") << QByteArray("{}") << u"unreadable"_qs;
        QTest::newRow("status of wrong type") << payload({entry("M", R"({"eventStatus":1})")}) << u"unreadable"_qs;
    }

    void evaluate()
    {
        QFETCH(QByteArray, payload);
        const AppleProvider::DecodedPayload decoded = AppleProvider::decode(payload);
        QCOMPARE(decoded.error.isEmpty(), decoded.services.has_value());
        QTEST(decoded.services ? graded(AppleProvider::evaluate(service(ProviderKind::Apple), *decoded.services))
                               : u"unreadable"_qs,
              "expected");
    }

    // The developer edition only for an address on the developer site.
    void throughTheServer()
    {
        FeedServer server;
        server.setRoute("/support/systemstatus/data/developer/system_status_en_US.js",
                        FakeRoute::text(fixture(u"apple/system_status.js"_qs)));
        server.setRoute("/support/systemstatus/data/system_status_en_US.js", FakeRoute::text("no JSON here"));
        AppleProvider reader{HttpSession()};
        QCOMPARE(check(reader, ProviderKind::Apple, QUrl(u"https://developer.apple.com/system-status/"_qs)),
                 u"major: iCloud Mail, Siri (+1 more)"_qs);
        QCOMPARE(check(reader, ProviderKind::Apple, QUrl(u"https://example.com/developer.apple.com"_qs)),
                 u"unknown: Unexpected format"_qs);
    }
};

QTEST_GUILESS_MAIN(TestAppleProvider)
#include "tst_appleprovider.moc"
