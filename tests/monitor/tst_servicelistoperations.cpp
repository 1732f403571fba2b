#include "monitor/statusmonitor.h"

#include "catalog/servicecatalog.h"

#include "fulldisk.h"
#include "monitorrig.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QSignalSpy>
#include <QTest>

#include <sys/stat.h>

using namespace std::chrono_literals;

namespace {

Service makeService(const QString &name, const QString &url, ProviderKind kind = ProviderKind::Statuspage)
{
    return Service{QUuid::createUuid(), name, QUrl(url), kind, std::nullopt};
}

// The identity of the file on disk: an atomic save replaces it with a new one.
ino_t inode(const QString &path)
{
    struct stat info {};
    return ::stat(QFile::encodeName(path).constData(), &info) == 0 ? info.st_ino : 0;
}

} // namespace

struct ListRig : MonitorRig {
    explicit ListRig(const QList<Service> &services, bool watch = false, std::optional<QString> folder = std::nullopt)
        : MonitorRig(services, {.watchFile = watch, .folder = std::move(folder)})
    {
    }

    QString path() const { return monitor->store().filePath(); }

    QByteArray file(const QString &suffix = QString()) const
    {
        QFile file(path() + suffix);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    QString error() const { return monitor->configError().value_or(QString()); }

    // An outside edit: written in place, as a plain editor without atomic saves would.
    void edit(const QByteArray &content) const
    {
        QFile file(path());
        if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            file.write(content);
    }

    void editRecords(const std::function<void(QJsonArray &)> &change) const
    {
        QJsonArray array = QJsonDocument::fromJson(file()).array();
        change(array);
        edit(QJsonDocument(array).toJson());
    }
};

class TestServiceListOperations : public QObject
{
    Q_OBJECT

private:
    const Service m_github = makeService(QStringLiteral("GitHub"), QStringLiteral("https://www.githubstatus.com"));
    const Service m_site = makeService(QStringLiteral("Site"), QStringLiteral("https://example.org/Health"), ProviderKind::Website);

private Q_SLOTS:
    void reorderOnlyReordersAndChecksNothing()
    {
        ListRig rig({m_github, m_site});
        rig.editRecords([](QJsonArray &array) {
            const QJsonValue first = array.takeAt(0);
            array.append(first);
        });
        const QByteArray edited = rig.file();
        rig.monitor->reloadFromDisk();
        QCOMPARE(names(rig.monitor->services()), (QStringList{QStringLiteral("Site"), QStringLiteral("GitHub")}));
        QCOMPARE(rig.monitor->services().at(1).id, m_github.id);
        QCOMPARE(rig.file(), edited);
        QTest::qWait(20);
        QVERIFY(rig.check.calls().isEmpty());
    }

    void appendedEntryWithoutIdInheritsIdentityByCaseInsensitiveUrl()
    {
        ListRig rig({m_github, m_site});
        rig.editRecords([](QJsonArray &array) {
            array.removeAt(1);
            array.append(QJsonObject{{QLatin1String("name"), QStringLiteral("My site")},
                                     {QLatin1String("url"), QStringLiteral("https://EXAMPLE.org/health")},
                                     {QLatin1String("provider"), QStringLiteral("website")}});
        });
        rig.monitor->reloadFromDisk();
        QCOMPARE(rig.monitor->services().size(), 2);
        QCOMPARE(rig.monitor->services().at(1).id, m_site.id);
        QCOMPARE(rig.monitor->services().at(1).name, QStringLiteral("My site"));
        QVERIFY(rig.file().contains(uuidText(m_site.id).toUtf8()));
        QTest::qWait(20);
        QVERIFY(rig.check.calls().isEmpty());
    }

    void appendedNewEntryIsAddedCheckedAndWrittenBack()
    {
        ListRig rig({m_github});
        rig.editRecords([](QJsonArray &array) {
            array.append(QJsonObject{{QLatin1String("name"), QStringLiteral("Fresh")},
                                     {QLatin1String("url"), QStringLiteral("https://status.fresh.example")}});
        });
        rig.monitor->reloadFromDisk();
        QCOMPARE(rig.monitor->services().size(), 2);
        const Service fresh = rig.monitor->services().at(1);
        QVERIFY(rig.file().contains(uuidText(fresh.id).toUtf8()));
        QTRY_VERIFY(rig.monitor->result(fresh.id).has_value());
        QCOMPARE(rig.check.callCount(fresh.id), 1);
        QCOMPARE(rig.check.callCount(m_github.id), 0);
        // The next merge of the file as written changes nothing and writes nothing.
        const ino_t before = inode(rig.path());
        rig.monitor->reloadFromDisk();
        QCOMPARE(inode(rig.path()), before);
    }

    void removedEntryDropsItsState()
    {
        ListRig rig({m_github, m_site});
        QCoro::waitFor(rig.monitor->refresh());
        QVERIFY(rig.monitor->result(m_site.id));
        rig.editRecords([](QJsonArray &array) { array.removeAt(1); });
        rig.monitor->reloadFromDisk();
        QVERIFY(!rig.monitor->result(m_site.id));
        QVERIFY(!rig.monitor->lastKnownIndicator(m_site.id));
        QVERIFY(rig.monitor->result(m_github.id));
    }

    void brokenFileIsKeptUntouchedAndCopiedAsideOnTheNextSave()
    {
        ListRig rig({m_github, m_site});
        const QByteArray broken = "[\n  {\"name\": \"GitHub\", \"url\": \"https://www.githubstatus.com\"},\n]\n";
        rig.edit(broken);
        QSignalSpy errors(rig.monitor.get(), &StatusMonitor::configErrorChanged);
        rig.monitor->reloadFromDisk();
        QCOMPARE(names(rig.monitor->services()), (QStringList{QStringLiteral("GitHub"), QStringLiteral("Site")}));
        QCOMPARE(rig.file(), broken);
        QCOMPARE(errors.size(), 1);
        QVERIFY2(rig.monitor->configError().value_or(QString()).contains(QStringLiteral("line 3")),
                 qPrintable(rig.monitor->configError().value_or(QString())));

        // A change made while the file is broken saves the list, keeping the edit aside.
        rig.monitor->remove(m_site);
        QCOMPARE(rig.file(QStringLiteral(".broken")), broken);
        QVERIFY2(rig.error().contains(QStringLiteral("services.json.broken")), qPrintable(rig.error()));
        QCOMPARE(names(ServiceStore(rig.dir.path()).load()), QStringList{QStringLiteral("GitHub")});
    }

    void recordsTheListCannotHoldAreReportedAndCopiedBeforeTheSaveDropsThem()
    {
        ListRig rig({m_github, m_site});
        rig.editRecords([](QJsonArray &array) {
            array.append(QJsonObject{{QLatin1String("name"), QStringLiteral("Typo")}, {QLatin1String("ulr"), QStringLiteral("x")}});
            array.append(QJsonObject{{QLatin1String("name"), QStringLiteral("GitHub (team B copy)")},
                                     {QLatin1String("url"), QStringLiteral("https://www.githubstatus.com")}});
        });
        const QByteArray edited = rig.file();
        rig.monitor->reloadFromDisk();
        QCOMPARE(rig.file(), edited);
        QVERIFY2(rig.error().contains(QStringLiteral("Record 3: missing \"url\""))
                     && rig.error().contains(QStringLiteral("Record 4 (\"GitHub (team B copy)\")")),
                 qPrintable(rig.error()));

        // The save that drops them keeps the file aside and says so, also once its own
        // write has been read back; a clean edit by hand clears the note.
        rig.monitor->remove(m_site);
        QCOMPARE(rig.file(QStringLiteral(".broken")), edited);
        rig.monitor->reloadFromDisk();
        QVERIFY2(rig.error().contains(QStringLiteral("Record 3")) && rig.error().contains(QStringLiteral(".broken")),
                 qPrintable(rig.error()));
        rig.editRecords([](QJsonArray &array) { array.removeAt(0); });
        rig.monitor->reloadFromDisk();
        QVERIFY(!rig.monitor->configError());
    }

    void failedWritesLeaveTheFileAndAreReported()
    {
        // A folder in the way of the copy: the save that would replace the broken file stops.
        ListRig rig({m_github, m_site});
        rig.edit("[{\"name\": \"GitHub\"}, ]");
        QVERIFY(QDir().mkpath(rig.path() + QStringLiteral(".broken/x")));
        rig.monitor->remove(m_site);
        QCOMPARE(rig.file(), QByteArray("[{\"name\": \"GitHub\"}, ]"));
        QVERIFY2(rig.error().contains(QStringLiteral("was not saved")), qPrintable(rig.error()));

        FullDisk disk;
        if (!disk.mountError.isEmpty())
            QSKIP(qPrintable(QStringLiteral("cannot mount a tmpfs to fill: ") + disk.mountError));
        ListRig full({m_github, m_site}, false, disk.dir.path());
        disk.fill();
        // An outside edit that needs a write-back.
        full.editRecords([](QJsonArray &array) { array.removeAt(0); });
        const QByteArray edited = full.file();
        full.monitor->reloadFromDisk();
        // The file is smaller than a write buffer: only the flush as the save commits meets
        // the full disk, and nothing is left beside the file.
        QCOMPARE(full.file(), edited);
        QVERIFY2(full.error().contains(QStringLiteral("could not be saved")) && full.error().contains(QStringLiteral("space")),
                 qPrintable(full.error()));
        QCOMPARE(QDir(disk.dir.path()).entryList(QDir::Files), (QStringList{QStringLiteral("filler"), QStringLiteral("services.json")}));
        disk.release();
        full.monitor->add(m_github);
        QVERIFY(!full.monitor->configError());
    }

    void anIdentifierInTheFileWinsOverTheSeedList()
    {
        // Started on a broken file, the monitor watches the seed list; the mended file's
        // GitHub entry keeps its own identity (and history, and mute).
        ListRig rig({});
        rig.edit("[{\"name\": ");
        ListRig started({}, false, rig.dir.path());
        QCOMPARE(names(started.monitor->services()), names(ServiceStore::seedList()));
        Service own = m_github;
        own.url = ServiceStore::seedList().at(3).url;
        rig.edit(ServiceStore::encode({own}));
        started.monitor->reloadFromDisk();
        QCOMPARE(started.monitor->services().size(), 1);
        QCOMPARE(started.monitor->services().first().id, own.id);
    }

    void wrongShapesAreBrokenButAnEmptyArrayBringsTheSeedsBack()
    {
        ListRig rig({m_github});
        for (const QByteArray &content : {QByteArray("{\"name\": \"x\"}"), QByteArray("[{\"url\": 3}]"), QByteArray()}) {
            rig.edit(content);
            rig.monitor->reloadFromDisk();
            QCOMPARE(names(rig.monitor->services()), QStringList{QStringLiteral("GitHub")});
            QCOMPARE(rig.file(), content);
        }
        QFile::remove(rig.path());
        rig.monitor->reloadFromDisk();
        QCOMPARE(names(rig.monitor->services()), QStringList{QStringLiteral("GitHub")});

        rig.edit("[]");
        rig.monitor->reloadFromDisk();
        QCOMPARE(names(rig.monitor->services()), names(ServiceStore::seedList()));
        QVERIFY(!rig.monitor->configError());
    }

    void catalogSwitching()
    {
        const CatalogEntry github = *ServiceCatalog::entry(QStringLiteral("statuspage:www.githubstatus.com"));
        ListRig rig({m_site});
        rig.monitor->setMonitored(github, true);
        rig.monitor->setMonitored(github, true);
        QCOMPARE(rig.monitor->services().size(), 2);
        QVERIFY(rig.monitor->isMonitored(github));

        // A service of the same provider and host but another page still counts as the entry.
        ListRig other({makeService(QStringLiteral("GH"), QStringLiteral("https://WWW.githubstatus.com/history"))});
        QVERIFY(other.monitor->isMonitored(github));
        other.monitor->setMonitored(github, false);
        QVERIFY(other.monitor->services().isEmpty());

        // Custom services are those no catalog entry counts: another reader on the same host.
        const Service probe = makeService(QStringLiteral("GH probe"), QStringLiteral("https://www.githubstatus.com"),
                                          ProviderKind::Website);
        ListRig mixed({makeService(QStringLiteral("GH"), QStringLiteral("https://WWW.GITHUBSTATUS.COM")), probe, m_site});
        QCOMPARE(names(mixed.monitor->customServices()), (QStringList{QStringLiteral("GH probe"), QStringLiteral("Site")}));
    }

    void emptyComponentSelectionIsStoredAsNone()
    {
        ListRig rig({m_github});
        rig.monitor->setComponents(QStringList{QStringLiteral("a")}, m_github);
        QVERIFY(rig.file().contains("\"components\""));
        rig.monitor->setComponents(QStringList(), m_github);
        QVERIFY(!rig.monitor->services().first().components);
        QVERIFY(!rig.file().contains("\"components\""));
    }

    void outsideEditsArriveThroughTheWatcher()
    {
        ListRig rig({m_github}, true);
        // sed -i replaces the file, as most editors' atomic saves do.
        QProcess sed;
        sed.start(QStringLiteral("sed"), {QStringLiteral("-i"), QStringLiteral("s/\"GitHub\"/\"GitHub.com\"/"), rig.path()});
        QVERIFY(sed.waitForFinished());
        QTRY_COMPARE(names(rig.monitor->services()), QStringList{QStringLiteral("GitHub.com")});
        QCOMPARE(rig.monitor->services().first().id, m_github.id);

        // A deleted file is written back.
        QVERIFY(QFile::remove(rig.path()));
        QTRY_COMPARE(ServiceStore(rig.dir.path()).load(), rig.monitor->services());
    }
};

QTEST_GUILESS_MAIN(TestServiceListOperations)
#include "tst_servicelistoperations.moc"
