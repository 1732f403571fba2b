#include "alerts/statushistory.h"
#include "core/service.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

namespace {

const QUuid serviceA = QUuid::fromString(QStringLiteral("6F1C2D2E-8A39-4E5B-9B1A-0E7A3C1D2B4F"));
const QUuid serviceB = QUuid::fromString(QStringLiteral("0A2B3C4D-5E6F-4A1B-8C2D-3E4F5A6B7C8D"));

QDateTime utc(const char *iso)
{
    return QDateTime::fromString(QString::fromLatin1(iso), Qt::ISODateWithMs);
}

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeAll(const QString &path, const QByteArray &data)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(data);
}

} // namespace

class TestStatusHistory : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid());
        m_path = m_dir->filePath(QStringLiteral("Glinter/history.json"));
    }

    void firstAppendWritesTheFileFormat()
    {
        StatusHistory history(m_path);
        QVERIFY(history.samples(serviceA).isEmpty());
        QVERIFY(!QFile::exists(m_path));

        history.append(serviceA, Indicator::Major, utc("2001-01-02T00:00:00.250Z"));
        history.append(serviceA, Indicator::None, utc("2001-01-02T00:05:00Z"));
        history.append(serviceB, Indicator::Critical, utc("2001-01-02T00:00:00Z"));

        const QByteArray data = readAll(m_path);
        QVERIFY2(!data.contains('\n') && !data.contains(": "), data.constData()); // compact
        QJsonParseError error;
        const QJsonDocument document = QJsonDocument::fromJson(data, &error);
        QCOMPARE(error.error, QJsonParseError::NoError);
        QVERIFY(document.isArray());
        const QJsonArray top = document.array();
        QCOMPARE(top.size(), 4);

        QHash<QString, QJsonArray> byId;
        for (qsizetype i = 0; i < top.size(); i += 2) {
            QVERIFY(top.at(i).isString());
            QVERIFY(top.at(i + 1).isArray());
            byId.insert(top.at(i).toString(), top.at(i + 1).toArray());
        }
        QCOMPARE(byId.keys().size(), 2);
        const QJsonArray a = byId.value(QStringLiteral("6F1C2D2E-8A39-4E5B-9B1A-0E7A3C1D2B4F"));
        QCOMPARE(a.size(), 2);
        QCOMPARE(a.at(0).toObject().keys(), (QStringList{QStringLiteral("at"), QStringLiteral("indicator")}));
        QCOMPARE(a.at(0).toObject().value(QStringLiteral("indicator")).toInt(), 2);
        QCOMPARE(a.at(0).toObject().value(QStringLiteral("at")).toDouble(), 86400.25);
        QCOMPARE(a.at(1).toObject().value(QStringLiteral("indicator")).toInt(), 0);
        QCOMPARE(a.at(1).toObject().value(QStringLiteral("at")).toDouble(), 86700.0);
        QCOMPARE(byId.value(QStringLiteral("0A2B3C4D-5E6F-4A1B-8C2D-3E4F5A6B7C8D")).size(), 1);
    }

    void reloadGivesTheSameSamples()
    {
        const QDateTime now = QDateTime::currentDateTimeUtc();
        {
            StatusHistory history(m_path);
            history.append(serviceA, Indicator::Minor, now.addSecs(-120));
            history.append(serviceA, Indicator::Minor, now.addSecs(-60).addMSecs(7));
        }
        const StatusHistory reloaded(m_path);
        const QList<StatusHistory::Sample> samples = reloaded.samples(serviceA);
        QCOMPARE(samples.size(), 2);
        QCOMPARE(samples.at(0).time, now.addSecs(-120));
        QCOMPARE(samples.at(1).time, now.addSecs(-60).addMSecs(7));
        QCOMPARE(reloaded.indicators(serviceA), (QList<Indicator>{Indicator::Minor, Indicator::Minor}));
    }

    void sevenDayLimit_data()
    {
        QTest::addColumn<qint64>("olderByMs");
        QTest::addColumn<int>("kept");
        QTest::newRow("exactly seven days") << qint64(604'800'000) << 2;
        QTest::newRow("a millisecond more") << qint64(604'800'001) << 1;
        QTest::newRow("dated after the append") << qint64(-3'600'000) << 2;
    }

    void sevenDayLimit()
    {
        QFETCH(qint64, olderByMs);
        QFETCH(int, kept);
        const QDateTime at = utc("2026-03-10T12:00:00Z");
        StatusHistory history(m_path);
        history.append(serviceA, Indicator::Major, at.addMSecs(-olderByMs));
        history.append(serviceA, Indicator::None, at);
        QCOMPARE(history.samples(serviceA, at).size(), kept);
        QCOMPARE(StatusHistory(m_path).samples(serviceA, at).size(), kept);
    }

    void ninetySeventhSamplePushesOutTheOldest()
    {
        const QDateTime start = utc("2026-03-10T00:00:00Z");
        StatusHistory history(m_path);
        for (int i = 0; i < 97; ++i)
            history.append(serviceA, i % 2 ? Indicator::Minor : Indicator::None, start.addSecs(60 * i));
        const QDateTime last = start.addSecs(60 * 96);

        const QList<StatusHistory::Sample> samples = history.samples(serviceA, last);
        QCOMPARE(samples.size(), 96);
        QCOMPARE(samples.first().time, start.addSecs(60));
        QCOMPARE(samples.last().time, last);
        QCOMPARE(StatusHistory(m_path).samples(serviceA, last), samples);
    }

    void readingTrimsWithoutChangingTheStore()
    {
        const QDateTime at = utc("2026-03-10T00:00:00Z");
        StatusHistory history(m_path);
        history.append(serviceA, Indicator::Major, at);
        history.append(serviceA, Indicator::None, at.addDays(3));

        QCOMPARE(history.samples(serviceA, at.addDays(8)).size(), 1);
        QCOMPARE(history.samples(serviceA, at.addDays(11)).size(), 0);
        // Still stored, in memory and on disk, until the next append for that service.
        QCOMPARE(history.samples(serviceA, at.addDays(3)).size(), 2);
        QCOMPARE(StatusHistory(m_path).samples(serviceA, at.addDays(3)).size(), 2);
    }

    void damagedFileGivesEmptyHistory_data()
    {
        QTest::addColumn<QByteArray>("contents");
        const QByteArray good = R"({"indicator":1,"at":800000000})";
        QTest::newRow("not JSON") << QByteArray("[\"6F1C2D2E-8A39-4E5B-9B1A-0E7A3C1D2B4F\", [");
        QTest::newRow("empty file") << QByteArray();
        QTest::newRow("number") << QByteArray("42");
        QTest::newRow("odd array") << QByteArray("[\"6F1C2D2E-8A39-4E5B-9B1A-0E7A3C1D2B4F\"]");
        QTest::newRow("identifier not a string")
            << QByteArray("[1,[" + good + "]]");
        QTest::newRow("identifier not a UUID") << QByteArray("[\"github\",[" + good + "]]");
        QTest::newRow("samples not an array")
            << QByteArray("[\"6F1C2D2E-8A39-4E5B-9B1A-0E7A3C1D2B4F\"," + good + "]");
        QTest::newRow("sample without at")
            << QByteArray("[\"6F1C2D2E-8A39-4E5B-9B1A-0E7A3C1D2B4F\",[" + good + R"(,{"indicator":1}]])");
        QTest::newRow("sample without indicator")
            << QByteArray(R"(["6F1C2D2E-8A39-4E5B-9B1A-0E7A3C1D2B4F",[{"at":800000000}]])");
        QTest::newRow("indicator as text")
            << QByteArray(R"(["6F1C2D2E-8A39-4E5B-9B1A-0E7A3C1D2B4F",[{"indicator":"1","at":800000000}]])");
        QTest::newRow("fractional indicator")
            << QByteArray(R"(["6F1C2D2E-8A39-4E5B-9B1A-0E7A3C1D2B4F",[{"indicator":1.5,"at":800000000}]])");
        QTest::newRow("at as text")
            << QByteArray(R"(["6F1C2D2E-8A39-4E5B-9B1A-0E7A3C1D2B4F",[{"indicator":1,"at":"yesterday"}]])");
        QTest::newRow("one bad entry in an object")
            << QByteArray("{\"6F1C2D2E-8A39-4E5B-9B1A-0E7A3C1D2B4F\":[" + good + "],\"x\":[]}");
    }

    void damagedFileGivesEmptyHistory()
    {
        QFETCH(QByteArray, contents);
        QVERIFY(QDir().mkpath(QFileInfo(m_path).absolutePath()));
        writeAll(m_path, contents);

        StatusHistory history(m_path);
        QVERIFY(history.samples(serviceA, StatusHistory::fromReferenceSeconds(800000000)).isEmpty());
        QCOMPARE(readAll(m_path), contents); // left alone until the next append

        const QDateTime at = utc("2026-03-10T00:00:00Z");
        history.append(serviceB, Indicator::Critical, at);
        const std::optional<QHash<QUuid, QList<StatusHistory::Sample>>> stored =
            StatusHistory::decode(readAll(m_path));
        QVERIFY(stored.has_value());
        QCOMPARE(stored->keys(), QList<QUuid>{serviceB});
        QCOMPARE(stored->value(serviceB), (QList<StatusHistory::Sample>{{at, 3}}));
    }

    void tolerantForms_data()
    {
        QTest::addColumn<QByteArray>("contents");
        QTest::addColumn<int>("indicator");
        QTest::newRow("object of sample arrays")
            << QByteArray(R"({"6F1C2D2E-8A39-4E5B-9B1A-0E7A3C1D2B4F":[{"indicator":2,"at":800000000.5}]})") << 2;
        QTest::newRow("lower-case identifier, extra keys")
            << QByteArray(R"(["6f1c2d2e-8a39-4e5b-9b1a-0e7a3c1d2b4f",[{"indicator":0,"at":800000000.5,"note":"x/y"}]])")
            << 0;
        QTest::newRow("out-of-range indicator kept as stored")
            << QByteArray(R"(["6F1C2D2E-8A39-4E5B-9B1A-0E7A3C1D2B4F",[{"indicator":7,"at":800000000.5}]])") << 7;
    }

    void tolerantForms()
    {
        QFETCH(QByteArray, contents);
        QFETCH(int, indicator);
        QVERIFY(QDir().mkpath(QFileInfo(m_path).absolutePath()));
        writeAll(m_path, contents);

        const StatusHistory history(m_path);
        const QDateTime at = StatusHistory::fromReferenceSeconds(800000000.5);
        QCOMPARE(history.samples(serviceA, at), (QList<StatusHistory::Sample>{{at, indicator}}));
    }

    void outOfRangeIndicatorReadsAsUnknown()
    {
        QVERIFY(QDir().mkpath(QFileInfo(m_path).absolutePath()));
        const double recent = StatusHistory::referenceSeconds(QDateTime::currentDateTimeUtc().addSecs(-60));
        writeAll(m_path, QJsonDocument(QJsonArray{
                                           QStringLiteral("6F1C2D2E-8A39-4E5B-9B1A-0E7A3C1D2B4F"),
                                           QJsonArray{QJsonObject{{QStringLiteral("indicator"), 7},
                                                                  {QStringLiteral("at"), recent}},
                                                      QJsonObject{{QStringLiteral("indicator"), 3},
                                                                  {QStringLiteral("at"), recent}}}})
                             .toJson());
        QCOMPARE(StatusHistory(m_path).indicators(serviceA), (QList<Indicator>{Indicator::Unknown, Indicator::Critical}));
    }

    void unwritableFileKeepsTheSampleInMemory()
    {
        // A folder where the file should be: every write fails.
        QVERIFY(QDir().mkpath(m_path));
        StatusHistory history(m_path);
        const QDateTime at = utc("2026-03-10T00:00:00Z");
        history.append(serviceA, Indicator::Minor, at);
        QCOMPARE(history.samples(serviceA, at).size(), 1);
    }

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_path;
};

QTEST_GUILESS_MAIN(TestStatusHistory)
#include "tst_statushistory.moc"
