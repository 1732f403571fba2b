#include "providers/awsprovider.h"
#include "providers/awsregionfilter.h"

#include "core/preferences.h"
#include "readertesting.h"

#include <QStringEncoder>
#include <QTest>

using namespace ReaderTesting;

namespace {

QByteArray utf16(const QByteArray &utf8, QStringConverter::Encoding encoding, bool byteOrderMark)
{
    QStringEncoder encoder(encoding, byteOrderMark ? QStringConverter::Flag::WriteBom : QStringConverter::Flag::Default);
    return encoder.encode(QString::fromUtf8(utf8));
}

AWSProvider::Event awsEvent(const char *status, std::optional<QString> summary = std::nullopt,
                         std::optional<QString> region = std::nullopt, std::optional<QString> arn = std::nullopt)
{
    return {QString::fromLatin1(status), std::move(summary), std::move(region), std::move(arn)};
}

QString arn(const QString &region)
{
    return u"arn:aws:health:"_qs + region + u"::event/EC2/ISSUE/1"_qs;
}

} // namespace

class TestAWSProvider : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { trustFakeServer(); }
    void cleanup() { Preferences::remove(AWSRegionFilter::preferencesKey()); }

    void decodesTheByteOrders_data()
    {
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<bool>("decodes");
        const QByteArray json = R"([{"status":"2","summary":"Caf\u00e9 \u00fc \ud83d\ude00 down"}])";
        QTest::newRow("big-endian with mark") << utf16(json, QStringConverter::Utf16BE, true) << true;
        QTest::newRow("little-endian with mark") << utf16(json, QStringConverter::Utf16LE, true) << true;
        QTest::newRow("big-endian without mark") << utf16(json, QStringConverter::Utf16BE, false) << true;
        QTest::newRow("little-endian without mark") << utf16(json, QStringConverter::Utf16LE, false) << false;
        QTest::newRow("UTF-8") << json << false;
        QTest::newRow("odd length") << utf16(json, QStringConverter::Utf16BE, true) + 'x' << false;
        QTest::newRow("lone high surrogate") << QByteArray("\xfe\xff\x00[\xd8\x3d\x00]", 8) << false;
        QTest::newRow("lone low surrogate") << QByteArray("\x00[\xde\x00\x00]", 6) << false;
    }

    void decodesTheByteOrders()
    {
        QFETCH(QByteArray, body);
        QFETCH(bool, decodes);
        const AWSProvider::DecodedEvents decoded = AWSProvider::decode(body);
        QCOMPARE(decoded.events.has_value(), decodes);
        if (decodes) {
            QCOMPARE(decoded.events->size(), 1);
            QCOMPARE(decoded.events->first().summary, std::optional<QString>(u"Caf\u00e9 \u00fc \U0001F600 down"_qs));
        } else {
            QVERIFY(!decoded.error.isEmpty());
        }
    }

    void decodeErrors()
    {
        QCOMPARE(AWSProvider::decode(QByteArray("\xfe\xff\x00", 3)).error, u"Decode error"_qs);
        // Valid UTF-16 but not the expected JSON: the JSON reader's own text.
        const QString wrongType = AWSProvider::decode(utf16(R"([{"status":2}])", QStringConverter::Utf16BE, true)).error;
        QVERIFY(!wrongType.isEmpty());
        QVERIFY(wrongType != u"Decode error"_qs);
        QVERIFY(!AWSProvider::decode(utf16("{}", QStringConverter::Utf16BE, true)).events);
    }

    void evaluate_data()
    {
        QTest::addColumn<QList<AWSProvider::Event>>("events");
        QTest::addColumn<QStringList>("regions");
        QTest::addColumn<Indicator>("indicator");
        QTest::addColumn<QString>("description");
        const QString ok = u"All Systems Operational"_qs;
        QTest::newRow("no events") << QList<AWSProvider::Event>() << QStringList() << Indicator::None << ok;
        QTest::newRow("only inactive") << QList{awsEvent("0", u"old"_qs), awsEvent("4"), awsEvent("")} << QStringList()
                                       << Indicator::None << ok;
        QTest::newRow("summary without region") << QList{awsEvent("2", u"Elevated errors"_qs)} << QStringList()
                                                << Indicator::Major << u"Elevated errors"_qs;
        QTest::newRow("empty summary") << QList{awsEvent("1", QString())} << QStringList() << Indicator::Minor
                                       << u"Degraded Performance"_qs;
        QTest::newRow("no summary, with region") << QList{awsEvent("3", std::nullopt, u"Ohio"_qs)} << QStringList()
                                                 << Indicator::Critical << u"Major Outage \u2014 Ohio"_qs;
        QTest::newRow("worst, first in feed order, with count")
            << QList{awsEvent("1", u"a"_qs, u"Ireland"_qs), awsEvent("3", u"Increased API Error Rates"_qs, u"N. Virginia"_qs),
                     awsEvent("3", u"c"_qs, u"Tokyo"_qs)}
            << QStringList() << Indicator::Critical << u"Increased API Error Rates \u2014 N. Virginia (+2 more)"_qs;
        QTest::newRow("other regions filtered out")
            << QList{awsEvent("3", u"us"_qs, {}, arn(u"us-east-1"_qs)), awsEvent("1", u"eu"_qs, {}, arn(u"eu-west-1"_qs))}
            << QStringList{u"eu-west-1"_qs} << Indicator::Minor << u"eu"_qs;
        QTest::newRow("global events always count")
            << QList{awsEvent("3", u"us"_qs, {}, arn(u"us-east-1"_qs)), awsEvent("2", u"empty piece"_qs, {}, arn(QString())),
                     awsEvent("1", u"no arn"_qs), awsEvent("1", u"short arn"_qs, {}, u"arn:aws:us-east-1"_qs)}
            << QStringList{u"eu-west-1"_qs} << Indicator::Major << u"empty piece (+2 more)"_qs;
        QTest::newRow("region codes are case-sensitive")
            << QList{awsEvent("2", u"x"_qs, {}, arn(u"EU-WEST-1"_qs))} << QStringList{u"eu-west-1"_qs} << Indicator::None << ok;
        QTest::newRow("codes outside the table still match")
            << QList{awsEvent("2", u"x"_qs, {}, arn(u"mars-north-1"_qs))} << QStringList{u"mars-north-1"_qs}
            << Indicator::Major << u"x"_qs;
    }

    void evaluate()
    {
        QFETCH(QList<AWSProvider::Event>, events);
        QFETCH(QStringList, regions);
        const ServiceStatusResult result =
            AWSProvider::evaluate(service(ProviderKind::Aws), events, QSet<QString>(regions.cbegin(), regions.cend()));
        QTEST(result.indicator, "indicator");
        QTEST(result.description, "description");
        QVERIFY(!result.isMaintenance);
        QCOMPARE(result.incidentTitle, std::nullopt);
    }

    void selectionIsStoredSorted()
    {
        QVERIFY(AWSRegionFilter::selected().isEmpty());
        AWSRegionFilter::setSelected({u"us-west-2"_qs, u"ap-south-1"_qs, u"eu-west-1"_qs});
        QCOMPARE(Preferences::settings()->value(AWSRegionFilter::preferencesKey()).toStringList(),
                 (QStringList{u"ap-south-1"_qs, u"eu-west-1"_qs, u"us-west-2"_qs}));
        QCOMPARE(AWSRegionFilter::selected(), (QSet<QString>{u"us-west-2"_qs, u"ap-south-1"_qs, u"eu-west-1"_qs}));
        AWSRegionFilter::setSelected({u"eu-west-1"_qs});
        QCOMPARE(AWSRegionFilter::selected(), QSet<QString>{u"eu-west-1"_qs});
        AWSRegionFilter::setSelected({});
        QVERIFY(AWSRegionFilter::selected().isEmpty());
        Preferences::setValue(AWSRegionFilter::preferencesKey(), 42);
        QVERIFY(AWSRegionFilter::selected().isEmpty());
    }

    void throughTheServer()
    {
        FakeServer server;
        const FeedOrigin origin(server);
        FakeRoute route;
        route.body = fixture(u"aws/currentevents-utf16be.json"_qs);
        route.headers = {{"Content-Type", "application/json;charset=utf-16"}};
        server.setRoute("/public/currentevents", route);
        AWSProvider reader{HttpSession()};

        ServiceStatusResult result = QCoro::waitFor(reader.fetch(service(ProviderKind::Aws)));
        QCOMPARE(result.indicator, Indicator::Critical);
        QCOMPARE(result.description, u"Increased API Error Rates \u2014 N. Virginia (+2 more)"_qs);
        QCOMPARE(server.requests().last().headers.value("accept"), QByteArray("application/json"));

        // The selection is read on every check, not when the reader is made.
        AWSRegionFilter::setSelected({u"eu-west-1"_qs});
        result = QCoro::waitFor(reader.fetch(service(ProviderKind::Aws)));
        QCOMPARE(result.indicator, Indicator::Major);
        QCOMPARE(result.description, u"Elevated S3 latency \u2014 Ireland (+1 more)"_qs);

        server.setRoute("/public/currentevents", FakeRoute::json(fixture(u"aws/currentevents.json"_qs)));
        result = QCoro::waitFor(reader.fetch(service(ProviderKind::Aws)));
        QCOMPARE(result.indicator, Indicator::Unknown);
    }
};

QTEST_GUILESS_MAIN(TestAWSProvider)
#include "tst_awsprovider.moc"
