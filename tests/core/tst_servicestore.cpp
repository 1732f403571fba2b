#include "core/servicestore.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

using namespace Qt::StringLiterals;

// Raw-string records write the slashes of URLs as "\/" (valid JSON): moc would take a "//"
// inside a raw string for the start of a comment.
class TestServiceStore : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void missingFileGivesSeedListAndWritesNothing()
    {
        QTemporaryDir dir;
        const ServiceStore store(dir.path());
        QCOMPARE(store.load(), ServiceStore::seedList());
        QVERIFY(store.read().missing);
        QVERIFY(!QFile::exists(store.filePath()));
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
             "components": ["a", 1]}
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
                              u"Record 9: \"url\" is not a valid address"_s}));
        QVERIFY(contents.savingLosesSomething());
        const QList<Service> &read = contents.services;
        QCOMPARE(std::pair(read.at(0).provider, read.at(0).components),
                 std::pair(ProviderKind::Aws, std::optional(QStringList{u"x"_s})));
        QCOMPARE(read.at(2).components, std::optional(QStringList()));
        QCOMPARE(read.at(3).provider, ProviderKind::Statuspage); // a reader's name in another case is no reader
        QVERIFY(!read.at(4).components); // a selection with anything but text is none
        QVERIFY(!read.at(1).id.isNull() && read.at(1).id != read.at(2).id);
        // Only a well-formed identifier, in any case, counts as written; the others get fresh ones.
        QCOMPARE(contents.writtenIDs, (QSet<QUuid>{QUuid::fromString(u"6F2C1A34-1E0B-4B7C-9D7E-2F4A0B1C2D3E"_s),
                                                   QUuid::fromString(u"6F1C2D2E-8A39-4E5B-9B1A-0E7A3C1D2B4F"_s)}));
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
};

QTEST_GUILESS_MAIN(TestServiceStore)
#include "tst_servicestore.moc"
