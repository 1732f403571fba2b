#include "alerts/statushistory.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QString idText = QStringLiteral("6F1C2D2E-8A39-4E5B-9B1A-0E7A3C1D2B4F");
const QUuid id = QUuid::fromString(idText);
const QDateTime t0 = QDateTime::fromString(QStringLiteral("2026-03-10T12:00:00Z"), Qt::ISODate);

} // namespace

class TestStatusHistory : public QObject
{
    Q_OBJECT

    QByteArray stored() const
    {
        QFile file(m_path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    void store(const QByteArray &data)
    {
        QDir().mkpath(m_dir.path() + u"/Glinter");
        QFile file(m_path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(data);
    }

private Q_SLOTS:
    void cleanup() { QFile::remove(m_path); }

    void fileFormat()
    {
        StatusHistory history(m_path);
        QVERIFY(history.samples(id).isEmpty());
        history.append(id, Indicator::Major, QDateTime::fromString(QStringLiteral("2001-01-02T00:00:00.250Z"), Qt::ISODateWithMs));
        history.append(QUuid::createUuid(), Indicator::None, t0);

        const QJsonArray top = QJsonDocument::fromJson(stored()).array();
        QVERIFY(!stored().contains('\n'));
        QCOMPARE(top.size(), 4);
        const qsizetype at = top.at(0).toString() == idText ? 0 : 2;
        QCOMPARE(top.at(at).toString(), idText);
        const QJsonObject sample = top.at(at + 1).toArray().at(0).toObject();
        QCOMPARE(sample.size(), 2);
        QCOMPARE(sample.value(QStringLiteral("indicator")).toInt(), 2);
        QCOMPARE(sample.value(QStringLiteral("at")).toDouble(), 86400.25);
        QCOMPARE(StatusHistory(m_path).samples(id, t0), history.samples(id, t0));
    }

    void limits_data()
    {
        QTest::addColumn<qint64>("olderByMs");
        QTest::addColumn<int>("kept");
        QTest::newRow("exactly seven days") << qint64(604'800'000) << 2;
        QTest::newRow("a millisecond more") << qint64(604'800'001) << 1;
        QTest::newRow("in the future") << qint64(-3'600'000) << 2;
    }

    void limits()
    {
        QFETCH(qint64, olderByMs);
        QFETCH(int, kept);
        StatusHistory history(m_path);
        history.append(id, Indicator::Major, t0.addMSecs(-olderByMs));
        history.append(id, Indicator::None, t0);
        QCOMPARE(StatusHistory(m_path).samples(id, t0).size(), kept);
    }

    void ninetySixSamples()
    {
        StatusHistory history(m_path);
        for (int i = 0; i < 97; ++i)
            history.append(id, Indicator::Minor, t0.addSecs(60 * i));
        const QList<StatusHistory::Sample> samples = StatusHistory(m_path).samples(id, t0.addDays(1));
        QCOMPARE(samples.size(), 96);
        QCOMPARE(samples.first().time, t0.addSecs(60));
    }

    void readingTrimsOnlyWhatItReturns()
    {
        StatusHistory history(m_path);
        history.append(id, Indicator::Major, t0);
        history.append(id, Indicator::None, t0.addDays(3));
        QCOMPARE(history.samples(id, t0.addDays(8)).size(), 1);
        QCOMPARE(history.samples(id, t0.addDays(3)).size(), 2);
    }

    void damagedFile_data()
    {
        QTest::addColumn<QByteArray>("contents");
        const auto file = [](const char *samples) -> QByteArray { return "[\"" + idText.toLatin1() + "\"," + samples + ']'; };
        QTest::newRow("not JSON") << file("[");
        QTest::newRow("a number") << QByteArray("42");
        QTest::newRow("not an identifier") << QByteArray("[\"github\",[]]");
        QTest::newRow("sample without at") << file("[{\"indicator\":1,\"at\":8e8},{\"indicator\":1}]");
        QTest::newRow("indicator as text") << file("[{\"indicator\":\"1\",\"at\":8e8}]");
        QTest::newRow("fractional indicator") << file("[{\"indicator\":1.5,\"at\":8e8}]");
    }

    void damagedFile()
    {
        QFETCH(QByteArray, contents);
        store(contents);
        StatusHistory history(m_path);
        QVERIFY(history.samples(id, StatusHistory::fromReferenceSeconds(8e8)).isEmpty());
        QCOMPARE(stored(), contents); // untouched until the next append
        history.append(id, Indicator::Critical, t0);
        QCOMPARE(StatusHistory::decode(stored()), (QHash<QUuid, QList<StatusHistory::Sample>>{{id, {{t0, 3}}}}));
    }

    // The object form is read too; an unknown indicator is kept and reads as Unknown.
    void toleratedForms()
    {
        const QDateTime at = QDateTime::currentDateTimeUtc().addSecs(-60);
        store(QByteArray("{\"") + idText.toLower().toLatin1() + "\":[{\"indicator\":7,\"x\":0,\"at\":"
              + QByteArray::number(StatusHistory::referenceSeconds(at), 'f', 3) + "}]}");
        QCOMPARE(StatusHistory(m_path).samples(id), (QList<StatusHistory::Sample>{{at, 7}}));
        QCOMPARE(StatusHistory(m_path).indicators(id), QList<Indicator>{Indicator::Unknown});
    }

private:
    QTemporaryDir m_dir;
    QString m_path = m_dir.filePath(QStringLiteral("Glinter/history.json"));
};

QTEST_GUILESS_MAIN(TestStatusHistory)
#include "tst_statushistory.moc"
