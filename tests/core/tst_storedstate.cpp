#include "core/filewatcher.h"
#include "core/service.h"
#include "core/servicestore.h"
#include "core/settings.h"
#include "core/settingsfile.h"

#include "testfiles.h"

#include <QElapsedTimer>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QSaveFile>
#include <QSettings>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include <memory>
#include <sys/stat.h>
#include <vector>

using namespace std::chrono_literals;
using namespace Qt::StringLiterals;

namespace {

void saveAtomically(const QString &path, const QByteArray &data)
{
    QSaveFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(data) == data.size() && file.commit());
}

} // namespace

// What is kept on disk: the services list and the watch on it, and the preferences as the
// program reads them (what a hand edit or an older version left in the file, what the
// notification's mute writes, and who hears of a change). Raw-string records write the
// slashes of URLs as "\/" (valid JSON): moc would take a "//" inside a raw string for the
// start of a comment.
class TestStoredState : public QObject
{
    Q_OBJECT

    const QUuid m_service = QUuid::createUuid();
    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_path;
    int m_calls = 0;
    bool m_onMainThread = true;
    QElapsedTimer m_clock;

    std::unique_ptr<FileWatcher> watch(std::chrono::milliseconds debounce = 50ms)
    {
        return std::make_unique<FileWatcher>(
            m_path,
            [this] {
                ++m_calls;
                m_onMainThread = m_onMainThread && QThread::currentThread() == thread();
            },
            nullptr, debounce);
    }

private Q_SLOTS:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        m_path = m_dir->filePath(QStringLiteral("services.json"));
        m_calls = 0;
        m_clock.start();
        for (const char *key : {"refreshInterval", "notificationsEnabled", "notificationMinSeverity", "mutedServiceIDs",
                                "mutedUntil", "webhookURL", "awsRegions"})
            SettingsFile::remove(QString::fromLatin1(key));
    }

    void cleanup() { QVERIFY(m_onMainThread); }

    // Unusable values give the default; hand-written extremes of the interval are held
    // between half a minute (seconds would hammer every vendor) and a day (months overflow
    // timers).
    void unusableValuesReadAsDefaults()
    {
        const Settings settings;
        for (const auto &[stored, interval] :
             {std::pair(QVariant(-5), 300s), std::pair(QVariant(u"soon"_s), 300s), std::pair(QVariant(60), 60s),
              std::pair(QVariant(0.5), 30s), std::pair(QVariant(3e6), std::chrono::seconds(24h))}) {
            SettingsFile::setValue(u"refreshInterval"_s, stored);
            QCOMPARE(settings.refreshInterval(), std::chrono::milliseconds(interval));
        }
        for (const QVariant &bad : {QVariant(7), QVariant(u"high"_s)}) {
            SettingsFile::setValue(u"notificationMinSeverity"_s, bad);
            SettingsFile::setValue(u"notificationsEnabled"_s, bad);
            QCOMPARE(std::pair(settings.notificationMinSeverity(), settings.notificationsEnabled()),
                     std::pair(Indicator::Minor, true));
        }
        SettingsFile::setValue(u"mutedServiceIDs"_s, QStringList{u"nope"_s, uuidText(m_service).toLower()});
        QCOMPARE(settings.mutes().always, QSet<QUuid>{m_service});
        SettingsFile::setValue(u"awsRegions"_s, 42);
        QVERIFY(settings.awsRegions().isEmpty());
    }

    // A timed mute holds while now < its end, whatever zone the end was written in; what
    // cannot be read as an identifier and a zoned time mutes nothing.
    void timedMuteReading_data()
    {
        QTest::addColumn<QVariant>("stored"); // %1 stands for the service's identifier
        QTest::addColumn<bool>("muted");
        const auto row = [](const char *name, const QVariant &stored, bool muted) {
            QTest::newRow(name) << stored << muted;
        };
        row("running", u"%1 2030-01-01T12:30:00Z"_s, true);
        row("ends now", u"%1 2030-01-01T12:00:00Z"_s, false);
        row("written with an offset", u"%1 2030-01-01T14:30:00+02:00"_s, true);
        row("an ended entry beside a running one",
            QStringList{u"%1 2030-01-01T11:00:00Z"_s, u"%1 2030-01-01T13:00:00Z"_s}, true);
        row("no time zone", u"%1 2030-01-01T12:30:00"_s, false);
        row("not an identifier", u"GitHub 2030-01-01T12:30:00Z"_s, false);
        row("not text", 7, false);
    }

    void timedMuteReading()
    {
        QFETCH(QVariant, stored);
        const QDateTime now(QDate(2030, 1, 1), QTime(12, 0), Qt::UTC);
        QStringList texts = stored.toStringList();
        for (QString &text : texts)
            text = text.arg(uuidText(m_service));
        SettingsFile::setValue(u"mutedUntil"_s, stored.typeId() == QMetaType::Int ? stored : QVariant(texts));
        const Settings settings;
        QTEST(settings.isMuted(m_service, now), "muted");
        QVERIFY(!settings.isMuted(QUuid::createUuid(), now));
    }

    // The mute of a notification is written to the second, rounded up, for the next run;
    // ended entries leave the file; unmuting ends it early and leaves no permanent mute; and
    // when it ends by itself, those who show it hear of it.
    void timedMuteIsStoredAndEndsByItself()
    {
        Settings settings;
        QSignalSpy changes(&settings, &Settings::mutesChanged);
        const QDateTime second = QDateTime::fromSecsSinceEpoch(QDateTime::currentSecsSinceEpoch(), Qt::UTC);
        const QDateTime now = second.addMSecs(250);
        const QUuid other = QUuid::createUuid();
        settings.muteUntil(other, now.addSecs(-1), now.addSecs(-3600)); // ended by now
        settings.muteUntil(m_service, now.addSecs(3600), now);
        QFile file(preferencesFile()->fileName());
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray line = "mutedUntil=" + uuidText(m_service).toLatin1() + ' '
                                + second.addSecs(3601).toString(Qt::ISODate).toLatin1() + '\n';
        QVERIFY2(file.readAll().contains(line), line.constData());
        QVERIFY(Settings().isMuted(m_service, now));
        QVERIFY(!Settings().isMuted(m_service, now.addSecs(3601)));

        settings.setMuted(m_service, false, now);
        QVERIFY(!settings.isMuted(m_service, now));

        settings.muteUntil(m_service, QDateTime::currentDateTimeUtc().addMSecs(300));
        QVERIFY(settings.isMuted(m_service));
        changes.clear();
        QTRY_COMPARE(changes.size(), 1);
        QVERIFY(!settings.isMuted(m_service));
    }

    // Only an http(s) address with a host is used, blanks around it dropped; the address is
    // kept as typed.
    void webhookAddress()
    {
        Settings settings;
        for (const QString &unusable : {u"  \n "_s, u"ftp://hooks.example.com/x"_s, u"HTTPS://hooks.example.com/x"_s,
                                        u"https:///x"_s, u"httpx://hooks.example.com/x"_s}) {
            settings.setWebhookAddress(unusable);
            QCOMPARE(settings.webhookAddress(), unusable);
            QVERIFY2(!settings.webhookURL(), qPrintable(unusable));
        }
        settings.setWebhookAddress(u" \thttp://hooks.example.com/x\r\n"_s);
        QCOMPARE(settings.webhookURL(), QUrl(u"http://hooks.example.com/x"_s));
    }

    void seedsOnlyWithoutAUsableFile_data()
    {
        QTest::addColumn<QByteArray>("content"); // null: no file
        QTest::addColumn<bool>("seeded");
        QTest::newRow("no file") << QByteArray() << true;
        QTest::newRow("not JSON") << QByteArray("[") << true;
        QTest::newRow("no usable record") << QByteArray(R"([{"name": "A", "ulr": "x"}])") << true;
        QTest::newRow("emptied list") << QByteArray("[\n]\n") << false;
    }

    // The seed list is for a first start and for a file that cannot be used; a list the user
    // emptied stays empty. Reading writes nothing.
    void seedsOnlyWithoutAUsableFile()
    {
        QFETCH(QByteArray, content);
        QFETCH(bool, seeded);
        QTemporaryDir dir;
        const ServiceStore store(dir.path());
        if (!content.isNull())
            QVERIFY(writeFile(store.filePath(), content));
        QCOMPARE(store.load(), seeded ? ServiceStore::seedList() : QList<Service>());
        QCOMPARE(store.read().missing, content.isNull());
        QCOMPARE(readFile(store.filePath()), content.isNull() ? QByteArray() : content);
    }

    // A pipe put in the file's place would block the opening for good; a huge file would be
    // read into memory whole. Both read as unreadable, never as an empty list.
    void pipesAndHugeFilesAreRefusedUnopened()
    {
        QTemporaryDir dir;
        const ServiceStore store(dir.path());
        QVERIFY(::mkfifo(QFile::encodeName(store.filePath()).constData(), 0600) == 0);
        QCOMPARE(store.read().readError, u"not a regular file"_s);
        QVERIFY(QFile::remove(store.filePath()));
        QFile huge(store.filePath());
        QVERIFY(huge.open(QIODevice::WriteOnly) && huge.resize(16 * 1024 * 1024 + 1));
        QCOMPARE(store.read().readError, u"larger than 16 MiB"_s);
    }

    // Records that cannot be used are skipped and named with their position and cause; the
    // others are read tolerantly.
    void skippedRecordsAreNamedWithTheirPositionAndCause()
    {
        const ServiceFileContents contents = ServiceStore::decode(R"json([
            {"name": "First", "url": "https:\/\/one.example", "id": "6F2C1A34-1E0B-4B7C-9D7E-2F4A0B1C2D3E",
             "provider": "aws", "components": ["x"]},
            {"name": "Typo", "ulr": "https:\/\/typo.example"},
            7,
            {"name": "Prod API", "url": "https:\/\/status.example.com/Page"},
            {"name": "Prod API (team B copy)", "url": "https:\/\/STATUS.example.com/page", "components": ["db"]},
            {"name": "Probe", "url": "https:\/\/status.example.com/page", "provider": "website", "id": "github",
             "components": []},
            {"name": ["x"], "url": "https:\/\/x.example"},
            {"name": "Blank", "url": ""},
            {"name": "Spaced", "url": "https:\/\/a b.example"},
            {"name": "Lower", "url": "https:\/\/lower.example", "id": "6f1c2d2e-8a39-4e5b-9b1a-0e7a3c1d2b4f",
             "provider": "Instatus"},
            {"name": "Braced", "url": "https:\/\/braced.example", "id": "{0A1B2C3D-8A39-4E5B-9B1A-0E7A3C1D2B4F}",
             "components": ["a", 1]},
            {"name": "Local", "url": "file:\/\/\/etc\/passwd"},
            {"name": "Script", "url": "javascript:alert(1)"},
            {"name": "Files", "url": "ftp:\/\/files.example", "provider": "website"},
            {"name": "Bare", "url": "status.example.com"},
            {"name": "Null", "url": "https:\/\/null.example", "provider": null}
        ])json");
        QVERIFY(!contents.error);
        QStringList kept;
        for (const Service &service : contents.services)
            kept.append(service.name);
        QCOMPARE(kept, (QStringList{u"First"_s, u"Prod API"_s, u"Probe"_s, u"Lower"_s, u"Braced"_s}));
        QCOMPARE(contents.problems,
                 (QStringList{u"Record 2: missing \"url\""_s, u"Record 3: not an object"_s,
                              QStringLiteral("Record 5 (\"Prod API (team B copy)\"): same provider and address as "
                                             "record 4 (\"Prod API\")"),
                              u"Record 7: \"name\" is not text"_s, u"Record 8: \"url\" is empty"_s,
                              u"Record 9: \"url\" is not a valid address"_s,
                              u"Record 12: \"url\" is not an http or https address"_s,
                              u"Record 13: \"url\" is not an http or https address"_s,
                              u"Record 14: \"url\" is not an http or https address"_s,
                              u"Record 15: \"url\" is not an http or https address"_s,
                              u"Record 16: \"provider\" is not text"_s}));
        QCOMPARE(contents.unreadableRecords, 10); // all but the duplicate
        QVERIFY(contents.savingLosesSomething());
        const QList<Service> &read = contents.services;
        QCOMPARE(std::pair(read.at(0).provider, read.at(0).components),
                 std::pair(std::optional(ProviderKind::Aws), std::optional(QStringList{u"x"_s})));
        QCOMPARE(read.at(2).components, std::optional(QStringList()));
        // a provider's name in another case is no provider of this version's, and is kept as written
        QCOMPARE(read.at(3).provider, std::nullopt);
        QCOMPARE(read.at(3).providerName(), u"Instatus"_s);
        QVERIFY(!read.at(4).components); // a selection with anything but text is none
        QVERIFY(!read.at(1).id.isNull() && read.at(1).id != read.at(2).id);
        // Only a well-formed identifier, in any case, counts as written; the others get fresh ones.
        QCOMPARE(contents.writtenIDs, (QSet<QUuid>{QUuid::fromString(u"6F2C1A34-1E0B-4B7C-9D7E-2F4A0B1C2D3E"_s),
                                                   QUuid::fromString(u"6F1C2D2E-8A39-4E5B-9B1A-0E7A3C1D2B4F"_s)}));
    }

    void unreadPartsRoundTrip_data()
    {
        QTest::addColumn<QByteArray>("record");
        QTest::newRow("provider of a newer version")
            << QByteArray(R"({"id": "6F1C2D2E-8A39-4E5B-9B1A-0E7A3C1D2B4F", "name": "Lab", "provider": "gatus2",
                              "url": "https:\/\/lab.example\/"})");
        QTest::newRow("keys of every type")
            << QByteArray(R"({"id": "6F1C2D2E-8A39-4E5B-9B1A-0E7A3C1D2B4F", "name": "Lab", "provider": "website",
                              "url": "https:\/\/lab.example\/", "comment": "keep me", "weight": 2.5,
                              "tags": ["a", {"b": null}], "pinned": false, "owner": null})");
        QTest::newRow("both, with components")
            << QByteArray(R"({"id": "6F1C2D2E-8A39-4E5B-9B1A-0E7A3C1D2B4F", "name": "Lab", "provider": "Gatus",
                              "url": "https:\/\/lab.example\/", "components": ["x"], "comment": "by hand"})");
    }

    // What this version does not read (a provider it lacks, keys it does not know) is written
    // back as it was, and a service of an unknown provider says so.
    void unreadPartsRoundTrip()
    {
        QFETCH(QByteArray, record);
        QTemporaryDir dir;
        const ServiceStore store(dir.path());
        const QJsonArray written{QJsonDocument::fromJson(record).object()};
        QVERIFY(writeFile(store.filePath(), QJsonDocument(written).toJson()));
        const QList<Service> loaded = store.load();
        QCOMPARE(loaded.size(), 1);
        QVERIFY(store.save(loaded).ok());
        QCOMPARE(QJsonDocument::fromJson(readFile(store.filePath())).array(), written);
        QCOMPARE(store.load(), loaded);

        const QString provider = written.at(0)[u"provider"_s].toString();
        QCOMPARE(loaded.first().providerName(), provider);
        QCOMPARE(loaded.first().uncheckedReason(),
                 provider == u"website"_s
                     ? std::nullopt
                     : std::optional(u"Unknown provider \u201c%1\u201d (needs a newer Glinter)"_s.arg(provider)));
    }

    // An empty selection is written as an empty list, none not at all, and what is
    // written reads back the same.
    void encodesComponentsOnlyWhenPresent()
    {
        Service service{QUuid::createUuid(), u"A"_s, QUrl(u"https://a.example/x"_s), ProviderKind::StatusIo,
                        std::nullopt};
        QVERIFY(!service.toJson().contains(u"components"_s));
        service.components = QStringList();
        QVERIFY(service.toJson().value(u"components"_s).isArray());
        service.components = QStringList{u"b"_s, u"a"_s};
        QCOMPARE(Service::decode(service.toJson()).service, std::optional<Service>(service));
    }

    void saveCreatesTheFolderAndReplacesAtomically()
    {
        QTemporaryDir base;
        const ServiceStore nested(base.path() + u"/a/b/Glinter"_s);
        QVERIFY(nested.save(ServiceStore::seedList()).ok());
        QCOMPARE(nested.load(), ServiceStore::seedList());
        // No temporary files are left beside the file.
        QCOMPARE(QDir(nested.directory()).entryList(QDir::Files), QStringList{u"services.json"_s});
    }

    void burstOfSavesGivesOneCall()
    {
        saveAtomically(m_path, "[]");
        const auto watcher = watch(300ms);
        qint64 lastSaveAt = 0;
        for (int i = 0; i < 3; ++i) {
            QTest::qWait(i ? 90 : 0);
            if (i && m_clock.elapsed() - lastSaveAt >= 250)
                QSKIP("the machine stalled longer than the burst may last");
            saveAtomically(m_path, QByteArray::number(i));
            lastSaveAt = m_clock.elapsed();
        }
        QTRY_COMPARE_WITH_TIMEOUT(m_calls, 1, 3000);
        QTest::qWait(500);
        QCOMPARE(m_calls, 1);
    }

    void followsTheFile_data()
    {
        QTest::addColumn<QString>("command"); // run by sh with the file as $0
        QTest::addColumn<bool>("holdOld"); // as an editor may keep the replaced file open
        QTest::newRow("sed -i") << QStringLiteral("sed -i '$a x' \"$0\"") << false;
        QTest::newRow("mv, old file held open")
            << QStringLiteral("printf 'x\\n' > \"$0.new\" && mv \"$0.new\" \"$0\"") << true;
    }

    // Started without the file, after any number of replacements and after it was deleted
    // and written again, the watch is on the current file: an append changes no entry of
    // the folder, so only a watch on that file sees it.
    void followsTheFile()
    {
        QFETCH(QString, command);
        QFETCH(bool, holdOld);
        const auto watcher = watch();
        QVERIFY(!watcher->isWatchingFile());
        QVERIFY(writeFile(m_path, "[]\n"));
        QTRY_COMPARE_WITH_TIMEOUT(m_calls, 1, 3000);
        std::vector<std::unique_ptr<QFile>> held;
        for (int i = 2; i <= 4; ++i) {
            if (holdOld) {
                held.push_back(std::make_unique<QFile>(m_path));
                QVERIFY(held.back()->open(QIODevice::ReadOnly));
            }
            QCOMPARE(QProcess::execute(QStringLiteral("sh"), {QStringLiteral("-c"), command, m_path}), 0);
            QTRY_COMPARE_WITH_TIMEOUT(m_calls, i, 3000);
        }
        QVERIFY(writeFile(m_path, "appended\n", QIODevice::Append));
        QTRY_COMPARE_WITH_TIMEOUT(m_calls, 5, 3000);
        QVERIFY(QFile::remove(m_path));
        QTRY_COMPARE_WITH_TIMEOUT(m_calls, 6, 3000);
        QVERIFY(!watcher->isWatchingFile());
        QVERIFY(writeFile(m_path, "[]"));
        QTRY_COMPARE_WITH_TIMEOUT(m_calls, 7, 3000);
        QVERIFY(writeFile(m_path, "\n", QIODevice::Append));
        QTRY_COMPARE_WITH_TIMEOUT(m_calls, 8, 3000);
    }
};

QTEST_GUILESS_MAIN(TestStoredState)
#include "tst_storedstate.moc"
