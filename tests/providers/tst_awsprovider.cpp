#include "providers/awsprovider.h"
#include "providers/awsregionfilter.h"

#include "core/preferences.h"
#include "readertesting.h"

#include <QStringEncoder>

using namespace ReaderTesting;

namespace {

QByteArray utf16(const QByteArray &utf8, QStringConverter::Encoding encoding, bool byteOrderMark = true)
{
    QStringEncoder encoder(encoding, byteOrderMark ? QStringConverter::Flag::WriteBom : QStringConverter::Flag::Default);
    return encoder.encode(QString::fromUtf8(utf8));
}

AWSProvider::Event awsEvent(const char *status, std::optional<QString> summary = std::nullopt,
                            std::optional<QString> region = std::nullopt, std::optional<QString> arn = std::nullopt)
{
    return {QString::fromLatin1(status), std::move(summary), std::move(region), std::move(arn)};
}

AWSProvider::Event inRegion(const char *status, const QString &summary, const QString &code)
{
    return awsEvent(status, summary, std::nullopt, u"arn:aws:health:"_qs + code + u"::event/EC2/ISSUE/1"_qs);
}

} // namespace

class TestAWSProvider : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void cleanup() { Preferences::remove(AWSRegionFilter::preferencesKey()); }

    // The summary of the one event, "Decode error" when the body is not UTF-16, or "json"
    // when it is UTF-16 but not the expected JSON (the JSON reader's own text).
    void decode_data()
    {
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<QString>("outcome");
        const QByteArray json = R"([{"status":"2", "summary":"Caf\u00e9 \u00fc \ud83d\ude00 down"}])"; // even length
        const QString summary = u"Caf\u00e9 \u00fc \U0001F600 down"_qs;
        QTest::newRow("big-endian with mark") << utf16(json, QStringConverter::Utf16BE) << summary;
        QTest::newRow("little-endian with mark") << utf16(json, QStringConverter::Utf16LE) << summary;
        QTest::newRow("big-endian without mark") << utf16(json, QStringConverter::Utf16BE, false) << summary;
        QTest::newRow("UTF-8") << json << u"json"_qs;
        QTest::newRow("odd length") << utf16(json, QStringConverter::Utf16BE) + 'x' << u"Decode error"_qs;
        QTest::newRow("lone high surrogate") << QByteArray("\xfe\xff\x00[\xd8\x3d\x00]", 8) << u"Decode error"_qs;
        QTest::newRow("lone low surrogate") << QByteArray("\x00[\xde\x00\x00]", 6) << u"Decode error"_qs;
    }

    void decode()
    {
        QFETCH(QByteArray, body);
        const AWSProvider::DecodedEvents decoded = AWSProvider::decode(body);
        QCOMPARE(decoded.error.isEmpty(), decoded.events.has_value());
        const QString outcome = decoded.events ? decoded.events->value(0).summary.value_or(QString()) : decoded.error;
        QTEST(decoded.events || outcome == u"Decode error"_qs ? outcome : u"json"_qs, "outcome");
    }

    void evaluate_data()
    {
        QTest::addColumn<QList<AWSProvider::Event>>("events");
        QTest::addColumn<QStringList>("regions");
        QTest::addColumn<QString>("expected");
        QTest::newRow("only inactive") << QList{awsEvent("0", u"old"_qs), awsEvent("4"), awsEvent("")} << QStringList()
                                       << u"none: All Systems Operational"_qs;
        QTest::newRow("empty summary") << QList{awsEvent("1", QString())} << QStringList() << u"minor: Degraded Performance"_qs;
        QTest::newRow("no summary, with region") << QList{awsEvent("3", std::nullopt, u"Ohio"_qs)} << QStringList()
                                                 << u"critical: Major Outage \u2014 Ohio"_qs;
        // Codes match exactly, table or not; events without a code are global and always count.
        QTest::newRow("selected regions and global events")
            << QList{inRegion("3", u"us"_qs, u"us-east-1"_qs), inRegion("3", u"EU"_qs, u"EU-WEST-1"_qs),
                     inRegion("1", u"eu"_qs, u"eu-west-1"_qs), inRegion("1", u"mars"_qs, u"mars-north-1"_qs),
                     inRegion("2", u"empty piece"_qs, QString()), awsEvent("1", u"no arn"_qs),
                     awsEvent("1", u"short arn"_qs, {}, u"arn:aws:us-east-1"_qs)}
            << QStringList{u"eu-west-1"_qs, u"mars-north-1"_qs} << u"major: empty piece (+4 more)"_qs;
    }

    void evaluate()
    {
        QFETCH(QList<AWSProvider::Event>, events);
        QFETCH(QStringList, regions);
        const QSet<QString> selected(regions.cbegin(), regions.cend());
        QTEST(graded(AWSProvider::evaluate(service(ProviderKind::Aws), events, selected)), "expected");
    }

    void throughTheServer()
    {
        FeedServer server;
        server.setRoute("/public/currentevents", {.headers = {{"Content-Type", "application/json;charset=utf-16"}},
                                                  .body = fixture(u"aws/currentevents-utf16be.json"_qs)});
        AWSProvider reader{HttpSession()};
        QCOMPARE(check(reader, ProviderKind::Aws), u"critical: Increased API Error Rates \u2014 N. Virginia (+2 more)"_qs);
        QCOMPARE(server.requests().last().headers.value("accept"), QByteArray("application/json"));

        // The selection is read on every check, not when the reader is made.
        AWSRegionFilter::setSelected({u"us-west-2"_qs, u"eu-west-1"_qs});
        QCOMPARE(check(reader, ProviderKind::Aws), u"major: Elevated S3 latency \u2014 Ireland (+1 more)"_qs);
        // A stored value that is not a list counts as no selection.
        Preferences::setValue(AWSRegionFilter::preferencesKey(), 42);
        QVERIFY(AWSRegionFilter::selected().isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestAWSProvider)
#include "tst_awsprovider.moc"
