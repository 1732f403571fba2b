#include "monitor/statushistory.h"

#include "testfiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QTest>

namespace {
const QString idText = QStringLiteral("6F1C2D2E-8A39-4E5B-9B1A-0E7A3C1D2B4F");
const QUuid id = QUuid::fromString(idText);
// A day and a quarter second after the reference time the file counts from.
const QDateTime t0 = QDateTime::fromString(QStringLiteral("2001-01-02T00:00:00.250Z"), Qt::ISODateWithMs);
} // namespace

class TestStatusHistory : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void cleanup() { QFile::remove(m_path); }

    // Appends stay in memory; a save writes the compact [id, samples, ...] form only when
    // something changed, and drops what fell out of the window, with every sample of a
    // service that is no longer checked. A failed save leaves the file and keeps the
    // samples for the next one.
    void savesOnlyChangesWithinTheWindow()
    {
        StatusHistory history(m_path);
        const QUuid gone = QUuid::createUuid();
        history.append(id, Indicator::Major, t0);
        history.append(gone, Indicator::None, t0);
        QVERIFY2(!QFile::exists(m_path), "appending alone writes nothing");
        QCOMPARE(history.save(t0), std::nullopt);
        const QJsonArray top = QJsonDocument::fromJson(::readFile(m_path)).array();
        QVERIFY(!::readFile(m_path).contains('\n'));
        QCOMPARE(top.size(), 4);
        const qsizetype at = top.at(0).toString() == idText ? 0 : 2;
        QCOMPARE(top.at(at).toString(), idText);
        QCOMPARE(top.at(at + 1).toArray().at(0).toObject(),
                 (QJsonObject{{QStringLiteral("indicator"), 2}, {QStringLiteral("at"), 86400.25}}));
        QVERIFY(QFile::remove(m_path));
        QCOMPARE(history.save(t0.addSecs(60)), std::nullopt);
        QVERIFY2(!QFile::exists(m_path), "nothing new, nothing written");

        const QDateTime later = t0.addDays(8);
        history.append(id, Indicator::Minor, later);
        QCOMPARE(history.save(later), std::nullopt);
        QCOMPARE(StatusHistory(m_path).indicators(gone), QList<Indicator>());
        const QByteArray before = ::readFile(m_path);
        // The folder is away and a plain file stands in its place: nothing can be written.
        const QString folder = QFileInfo(m_path).absolutePath();
        QVERIFY(QDir().rename(folder, folder + QStringLiteral(".away")));
        QFile blocker(folder);
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        history.append(id, Indicator::Critical, later.addSecs(60));
        QVERIFY(history.save(later.addSecs(60)));
        QVERIFY(QFile::remove(folder));
        QVERIFY(QDir().rename(folder + QStringLiteral(".away"), folder));
        QCOMPARE(::readFile(m_path), before);
        QCOMPARE(history.save(later.addSecs(60)), std::nullopt);
        QCOMPARE(StatusHistory(m_path).samples(id, later.addSecs(60)).size(), 2);
    }

    // One sample `olderByMs` before t0, then `later` samples a minute apart from t0 on.
    void limits_data()
    {
        QTest::addColumn<qint64>("olderByMs");
        QTest::addColumn<int>("later");
        QTest::addColumn<int>("kept");
        QTest::newRow("exactly seven days") << qint64(604'800'000) << 1 << 2;
        QTest::newRow("a millisecond more") << qint64(604'800'001) << 1 << 1;
        QTest::newRow("in the future") << qint64(-3'600'000) << 1 << 2;
        QTest::newRow("97 samples") << qint64(60'000) << 96 << 96;
    }

    void limits()
    {
        QFETCH(qint64, olderByMs);
        QFETCH(int, later);
        QFETCH(int, kept);
        StatusHistory history(m_path);
        history.append(id, Indicator::Major, t0.addMSecs(-olderByMs));
        for (int i = 0; i < later; ++i)
            history.append(id, Indicator::Minor, t0.addSecs(60 * i));
        const QDateTime now = t0.addSecs(60 * (later - 1));
        QVERIFY(history.samples(id, now.addDays(8)).isEmpty()); // trims only what it returns
        QCOMPARE(history.save(now), std::nullopt);
        const QList<StatusHistory::Sample> read = StatusHistory(m_path).samples(id, now);
        QCOMPARE(history.samples(id, now), read);
        QCOMPARE(read.size(), kept);
        QCOMPARE(read.first().time, kept > later ? t0.addMSecs(-olderByMs) : t0);
    }

    void readFile_data()
    {
        QTest::addColumn<QByteArray>("contents"); // "AT": a minute ago
        QTest::addColumn<QList<Indicator>>("read");
        const auto file = [](const char *samples) -> QByteArray {
            return "[\"" + idText.toLatin1() + "\"," + samples + ']';
        };
        QTest::newRow("object form, unknown indicator")
            << "{\"" + idText.toLower().toLatin1() + "\":[{\"indicator\":7,\"x\":0,\"at\":AT}]}"
            << QList<Indicator>{Indicator::Unknown};
        QTest::newRow("not JSON") << file("[") << QList<Indicator>();
        QTest::newRow("not an identifier") << QByteArray("[\"github\",[]]") << QList<Indicator>();
        QTest::newRow("sample without at")
            << file("[{\"indicator\":1,\"at\":AT},{\"indicator\":1}]") << QList<Indicator>();
        QTest::newRow("indicator not a whole number") << file("[{\"indicator\":1.5,\"at\":AT}]") << QList<Indicator>();
    }

    // A damaged file reads as empty and stays untouched until the next save replaces it.
    void readFile()
    {
        QFETCH(QByteArray, contents);
        QFETCH(QList<Indicator>, read);
        const QDateTime now = QDateTime::currentDateTimeUtc();
        contents.replace("AT", QByteArray::number(StatusHistory::referenceSeconds(now.addSecs(-60)), 'f', 3));
        QDir().mkpath(QFileInfo(m_path).absolutePath());
        QVERIFY(::writeFile(m_path, contents));
        StatusHistory history(m_path);
        QCOMPARE(history.indicators(id), read);
        history.append(id, Indicator::Critical, now);
        QCOMPARE(::readFile(m_path), contents);
        QCOMPARE(history.save(now), std::nullopt);
        QCOMPARE(StatusHistory(m_path).indicators(id), read << Indicator::Critical);
    }

private:
    QTemporaryDir m_dir;
    QString m_path = m_dir.filePath(QStringLiteral("Glinter/history.json"));
};

QTEST_GUILESS_MAIN(TestStatusHistory)
#include "tst_statushistory.moc"
