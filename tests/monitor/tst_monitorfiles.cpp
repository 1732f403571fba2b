#include "monitor/statushistory.h"
#include "monitor/statusmonitor.h"

#include "fulldisk.h"
#include "monitorrig.h"
#include "testfiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

using namespace Qt::StringLiterals;

namespace {

const QString idText = QStringLiteral("6F1C2D2E-8A39-4E5B-9B1A-0E7A3C1D2B4F");
const QUuid id = QUuid::fromString(idText);
// A day and a quarter second after the reference time the file counts from.
const QDateTime t0 = QDateTime::fromString(QStringLiteral("2001-01-02T00:00:00.250Z"), Qt::ISODateWithMs);

// The identity of the file on disk: an atomic save replaces it with a new one.
ino_t inode(const QString &path)
{
    struct stat info {
    };
    return ::stat(QFile::encodeName(path).constData(), &info) == 0 ? info.st_ino : 0;
}

} // namespace

struct ListRig : MonitorRig {
    explicit ListRig(const QList<Service> &services, std::optional<QString> folder = std::nullopt)
        : MonitorRig(services, {.folder = std::move(folder)})
    {
    }

    QString path() const { return monitor->store().filePath(); }

    QByteArray file(const QString &suffix = QString()) const { return readFile(path() + suffix); }

    QString error() const { return monitor->configError().value_or(QString()); }

    void edit(const QByteArray &content) const { (void)writeFile(path(), content); }
};

// The files the monitor keeps: the list of services, edited by hand and by the program, and
// the history of their states.
class TestMonitorFiles : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    QString m_path = m_dir.filePath(QStringLiteral("Glinter/history.json"));
    const Service m_github = makeService("GitHub", "https://www.githubstatus.com");
    const Service m_site = makeService("Site", "https://example.org/Health", ProviderKind::Website);

private Q_SLOTS:
    // One outside edit that drops, moves, re-enters a record without its identifier and
    // appends one: the re-entered record keeps its identity (matched by address, host case
    // aside) and its state, only the new one is checked, and the identities are written
    // back once.
    void outsideEditIsMerged()
    {
        const Service gone = makeService("Gone", "https://gone.example");
        ListRig rig({m_github, m_site, gone});
        rig.refresh();
        QJsonArray array = QJsonDocument::fromJson(ServiceStore::encode({m_github})).array();
        array.prepend(QJsonObject{
            {u"name"_s, u"My site"_s}, {u"url"_s, u"https://EXAMPLE.org/Health"_s}, {u"provider"_s, u"website"_s}});
        array.append(QJsonObject{{u"name"_s, u"Fresh"_s}, {u"url"_s, u"https://status.fresh.example"_s}});
        rig.edit(QJsonDocument(array).toJson());
        rig.monitor->reloadFromDisk();
        const QList<Service> services = rig.monitor->services();
        QCOMPARE(names(services), (QStringList{u"My site"_s, u"GitHub"_s, u"Fresh"_s}));
        QCOMPARE(services.at(0).id, m_site.id);
        QVERIFY(rig.monitor->result(m_site.id));
        QVERIFY(!rig.monitor->result(gone.id));
        QVERIFY(!rig.monitor->lastKnownIndicator(gone.id));
        QTRY_VERIFY(rig.monitor->result(services.at(2).id));
        QCOMPARE(rig.check.calls().size(), 4);
        QCOMPARE(rig.monitor->store().read().writtenIDs, (QSet<QUuid>{m_site.id, m_github.id, services.at(2).id}));
        // The next merge of the file as written changes nothing and writes nothing.
        const ino_t before = inode(rig.path());
        rig.monitor->reloadFromDisk();
        QCOMPARE(inode(rig.path()), before);
    }

    void editsItCannotTakeAreKeptAndCopiedAside_data()
    {
        QTest::addColumn<QByteArray>("edited");
        QTest::addColumn<QString>("said");
        QJsonArray records = QJsonDocument::fromJson(ServiceStore::encode({m_github, m_site})).array();
        records.append(QJsonObject{{u"name"_s, u"Typo"_s}, {u"ulr"_s, u"x"_s}});
        records.append(
            QJsonObject{{u"name"_s, u"GitHub (team B copy)"_s}, {u"url"_s, u"https://www.githubstatus.com"_s}});
        QTest::newRow("records the list cannot hold")
            << QJsonDocument(records).toJson() << u"Record 3: missing \"url\""_s;
        QTest::newRow("syntax error") << QByteArray(
            "[\n  {\"name\": \"GitHub\", \"url\": \"https://www.githubstatus.com\"},\n]\n")
                                      << u"line 3"_s;
        QTest::newRow("not an array") << QByteArray("{\"name\": \"x\"}") << u"not a JSON array"_s;
        QTest::newRow("no usable record") << QByteArray("[{\"url\": 3}]") << u"no record can be used"_s;
        QTest::newRow("empty file") << QByteArray() << u"line 1"_s;
    }

    // The list stays as it was and the file untouched until the next change saves the list;
    // that save keeps the edit aside and says so, also once its own write has been read
    // back, until a clean edit by hand.
    void editsItCannotTakeAreKeptAndCopiedAside()
    {
        QFETCH(QByteArray, edited);
        QFETCH(QString, said);
        ListRig rig({m_github, m_site});
        rig.edit(edited);
        QSignalSpy errors(rig.monitor.get(), &StatusMonitor::configErrorChanged);
        rig.monitor->reloadFromDisk();
        QCOMPARE(names(rig.monitor->services()), (QStringList{u"GitHub"_s, u"Site"_s}));
        QCOMPARE(rig.file(), edited);
        QCOMPARE(errors.size(), 1);
        QVERIFY2(rig.error().contains(said), qPrintable(rig.error()));

        rig.monitor->remove(m_site);
        QCOMPARE(rig.file(u".broken"_s), edited);
        QCOMPARE(names(ServiceStore(rig.dir.path()).load()), QStringList{u"GitHub"_s});
        rig.monitor->reloadFromDisk();
        QVERIFY2(rig.error().contains(u"services.json.broken"_s), qPrintable(rig.error()));
        rig.edit(ServiceStore::encode({m_github, m_site}));
        rig.monitor->reloadFromDisk();
        QVERIFY(!rig.monitor->configError());
    }

    void failedWritesLeaveTheFileAndAreReported()
    {
        // A folder in the way of the copy: the save that would replace the broken file stops.
        ListRig rig({m_github, m_site});
        rig.edit("[{\"name\": \"GitHub\"}, ]");
        QVERIFY(QDir().mkpath(rig.path() + u".broken/x"_s));
        rig.monitor->remove(m_site);
        QCOMPARE(rig.file(), QByteArray("[{\"name\": \"GitHub\"}, ]"));
        QVERIFY2(rig.error().contains(u"was not saved"_s), qPrintable(rig.error()));

        FullDisk disk;
        if (!disk.mountError.isEmpty())
            QSKIP(qPrintable(u"cannot mount a tmpfs to fill: "_s + disk.mountError));
        ListRig full({m_github, m_site}, disk.dir.path());
        disk.fill();
        // An outside edit that needs a write-back.
        const QByteArray edited = ServiceStore::encode({m_site});
        full.edit(edited);
        full.monitor->reloadFromDisk();
        // The file is smaller than a write buffer: only the flush as the save commits meets
        // the full disk, and nothing is left beside the file.
        QCOMPARE(full.file(), edited);
        QVERIFY2(full.error().contains(u"could not be saved"_s) && full.error().contains(u"space"_s),
                 qPrintable(full.error()));
        QCOMPARE(QDir(disk.dir.path()).entryList(QDir::Files), (QStringList{u"filler"_s, u"services.json"_s}));
        disk.release();
        full.monitor->add(m_github);
        QVERIFY(!full.monitor->configError());
    }

    // A deleted file is written back from the list; an emptied one empties it, watches
    // nothing and stays as written, and a list written again is taken up with its identities.
    void deletedEmptiedAndRefilledFile()
    {
        ListRig rig({m_github});
        QVERIFY(QFile::remove(rig.path()));
        rig.monitor->reloadFromDisk();
        QCOMPARE(ServiceStore(rig.dir.path()).load(), QList<Service>{m_github});

        rig.edit("[]");
        rig.monitor->reloadFromDisk();
        QCOMPARE(rig.monitor->services(), QList<Service>());
        QVERIFY(!rig.monitor->result(m_github.id));
        QVERIFY(!rig.monitor->configError());
        rig.refresh();
        QCOMPARE(rig.check.calls().size(), 0);
        QCOMPARE(QJsonDocument::fromJson(rig.file()), QJsonDocument(QJsonArray()));

        rig.edit(ServiceStore::encode({m_github}));
        rig.monitor->reloadFromDisk();
        QCOMPARE(rig.monitor->services(), QList<Service>{m_github});
    }

    void startsOnWhatTheFileHolds_data()
    {
        QTest::addColumn<QByteArray>("content"); // null: no file
        QTest::addColumn<bool>("seeded");
        QTest::addColumn<bool>("written");
        QTest::newRow("first start") << QByteArray() << true << true;
        QTest::newRow("emptied list") << QByteArray("[]\n") << false << false;
        QTest::newRow("broken file") << QByteArray("[{") << true << false;
    }

    // The seed list is for a first start (and is then written) and stands in for a file
    // that cannot be used, which is left alone; a list the user emptied stays empty.
    void startsOnWhatTheFileHolds()
    {
        QFETCH(QByteArray, content);
        QFETCH(bool, seeded);
        QFETCH(bool, written);
        QTemporaryDir folder;
        const QString path = folder.filePath(u"services.json"_s);
        if (!content.isNull())
            QVERIFY(writeFile(path, content));
        ListRig rig({}, folder.path());
        QCOMPARE(rig.monitor->services(), seeded ? ServiceStore::seedList() : QList<Service>());
        QCOMPARE(rig.file(), written ? ServiceStore::encode(ServiceStore::seedList()) : content);
    }

    // A record for a provider this version lacks and keys it does not know stay as written
    // through the merge of an outside edit and the saves of other changes; such a service
    // reads unknown and says why, without a check.
    void unreadPartsOutliveMergesAndSaves()
    {
        const auto record = [](const char *name, const char *provider, const char *comment) {
            return QJsonObject{{u"id"_s, uuidText(QUuid::createUuid())},
                               {u"name"_s, QString::fromLatin1(name)},
                               {u"url"_s, QString(u"https://"_s + QString::fromLatin1(name).toLower() + u".example"_s)},
                               {u"provider"_s, QString::fromLatin1(provider)},
                               {u"comment"_s, QString::fromLatin1(comment)}};
        };
        QJsonArray records{record("Lab", "gatus2", "from the laptop"), record("Page", "statuspage", "team B")};
        QTemporaryDir folder;
        QVERIFY(writeFile(folder.filePath(u"services.json"_s), QJsonDocument(records).toJson()));
        ListRig rig({}, folder.path());
        const QList<Service> listed = rig.monitor->services();
        QCOMPARE(names(listed), words("Lab Page"));

        rig.refresh();
        QCOMPARE(rig.check.callCount(listed[0].id), 0);
        QCOMPARE(rig.check.callCount(listed[1].id), 1);
        const std::optional<ServiceStatusResult> lab = rig.monitor->result(listed[0].id);
        QVERIFY(lab);
        QCOMPARE(lab->indicator, Indicator::Unknown);
        QCOMPARE(lab->description, u"Unknown provider \u201cgatus2\u201d (needs a newer Glinter)"_s);

        // edited outside, then saved for a change elsewhere in the list
        QJsonObject edited = records[0].toObject();
        edited[u"comment"_s] = u"edited by hand"_s;
        edited[u"since"_s] = 2024;
        records[0] = edited;
        rig.edit(QJsonDocument(records).toJson());
        rig.monitor->reloadFromDisk();
        const Service page = rig.monitor->services().at(1);
        rig.monitor->move(1, 0);
        rig.monitor->setComponents(QStringList{u"api"_s}, page);
        rig.monitor->add(m_site);
        QJsonObject narrowed = records[1].toObject();
        narrowed[u"components"_s] = QJsonArray{u"api"_s};
        const QJsonArray saved = QJsonDocument::fromJson(rig.file()).array();
        QCOMPARE(saved.at(0).toObject(), narrowed);
        QCOMPARE(saved.at(1).toObject(), edited);

        // removing it leaves the others as they are
        rig.monitor->remove(rig.monitor->services().at(1));
        QCOMPARE(QJsonDocument::fromJson(rig.file()).array().first().toObject(), narrowed);
    }

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
            history.append(id, Indicator::Minor, t0.addSecs(60 * qint64(i)));
        const QDateTime now = t0.addSecs(60 * qint64(later - 1));
        QVERIFY(history.samples(id, now.addDays(8)).isEmpty()); // trims only what it returns
        QCOMPARE(history.save(now), std::nullopt);
        const QList<StatusHistory::Sample> read = StatusHistory(m_path).samples(id, now);
        QCOMPARE(history.samples(id, now), read);
        QCOMPARE(read.size(), kept);
        QCOMPARE(read.first().time, kept > later ? t0.addMSecs(-olderByMs) : t0);
    }

    // The read limit leaves room for a full week of every service up to the number it is
    // made for, at the longest each sample can be written (a fractional second at every one).
    void fullHistoryFitsTheReadLimit()
    {
        constexpr int services = 3;
        const QDateTime now = QDateTime::fromString(QStringLiteral("2026-12-08T12:00:00.001Z"), Qt::ISODateWithMs);
        QHash<QUuid, QList<StatusHistory::Sample>> full;
        for (int i = 0; i < services; ++i) {
            QList<StatusHistory::Sample> &samples = full[QUuid::createUuid()];
            for (int n = 0; n < StatusHistory::maxSamples; ++n)
                samples.append({now.addMSecs(-qint64(n) * 6'300'001 - 7), -1 + n % 5});
        }
        const QByteArray written = StatusHistory::encode(full);
        qInfo("history.json, a full week for each of %d services: %lld bytes", services, qint64(written.size()));
        QVERIFY(written.size() <= services * StatusHistory::bytesPerServiceAtMost);
        QCOMPARE(StatusHistory::decode(written), full);
    }

    void damagedHistoryFiles_data()
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
    void damagedHistoryFiles()
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
};

QTEST_GUILESS_MAIN(TestMonitorFiles)
#include "tst_monitorfiles.moc"
