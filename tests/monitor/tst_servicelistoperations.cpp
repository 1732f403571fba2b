#include "catalog/servicecatalog.h"
#include "monitor/statusmonitor.h"

#include "fulldisk.h"
#include "monitorrig.h"
#include "testfiles.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSignalSpy>
#include <QTest>

#include <sys/stat.h>

using namespace Qt::StringLiterals;

namespace {

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

class TestServiceListOperations : public QObject
{
    Q_OBJECT

private:
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

    // A deleted file is written back from the list and an emptied one brings the seeds
    // back; a mended file's identifier then wins over the seed's of the same address (and
    // with it the service's history and mute).
    void deletedEmptiedAndMendedFile()
    {
        ListRig rig({m_github});
        QVERIFY(QFile::remove(rig.path()));
        rig.monitor->reloadFromDisk();
        QCOMPARE(ServiceStore(rig.dir.path()).load(), QList<Service>{m_github});

        rig.edit("[]");
        rig.monitor->reloadFromDisk();
        QCOMPARE(names(rig.monitor->services()), names(ServiceStore::seedList()));
        QVERIFY(!rig.monitor->configError());
        rig.edit(ServiceStore::encode({m_github}));
        rig.monitor->reloadFromDisk();
        QCOMPARE(rig.monitor->services(), QList<Service>{m_github});
    }
};

QTEST_GUILESS_MAIN(TestServiceListOperations)
#include "tst_servicelistoperations.moc"
