#include "core/servicestore.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QTemporaryDir>
#include <QTest>

class TestServiceStore : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;

    ServiceStore store() const { return ServiceStore(m_dir.path()); }

    void write(const QByteArray &content) const
    {
        QFile file(store().filePath());
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(content);
    }

    QByteArray onDisk() const
    {
        QFile file(store().filePath());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    static QStringList names(const QList<Service> &services)
    {
        QStringList list;
        for (const Service &service : services)
            list.append(service.name);
        return list;
    }

private Q_SLOTS:
    void init()
    {
        QFile::remove(store().filePath());
    }

    void missingFileGivesSeedListAndWritesNothing()
    {
        QCOMPARE(store().load(), ServiceStore::seedList());
        QVERIFY(!QFile::exists(store().filePath()));
        QVERIFY(store().read().missing);
    }

    void skippedRecordsAreNamedWithTheirPositionAndCause()
    {
        write(R"json([
            {"name": "First", "url": "https:\/\/one.example", "id": "6F2C1A34-1E0B-4B7C-9D7E-2F4A0B1C2D3E"},
            {"name": "Typo", "ulr": "https:\/\/typo.example"},
            7,
            {"name": "Prod API", "url": "https:\/\/status.example.com/Page"},
            {"name": "Prod API (team B copy)", "url": "https:\/\/STATUS.example.com/page", "components": ["db"]},
            {"name": "Probe", "url": "https:\/\/status.example.com/page", "provider": "website"},
            {"name": ["x"], "url": "https:\/\/x.example"}
        ])json");
        const ServiceFileContents contents = store().read();
        QVERIFY(!contents.error);
        QCOMPARE(names(contents.services),
                 (QStringList{QStringLiteral("First"), QStringLiteral("Prod API"), QStringLiteral("Probe")}));
        QCOMPARE(contents.problems,
                 (QStringList{QStringLiteral("Record 2: missing \"url\""), QStringLiteral("Record 3: not an object"),
                              QStringLiteral("Record 5 (\"Prod API (team B copy)\"): same provider and address as "
                                             "record 4 (\"Prod API\")"),
                              QStringLiteral("Record 7: \"name\" is not text")}));
        QVERIFY(contents.savingLosesSomething());
        // Only the identifier written in the file counts as written.
        QCOMPARE(contents.writtenIDs, QSet<QUuid>{QUuid::fromString(QStringLiteral("6F2C1A34-1E0B-4B7C-9D7E-2F4A0B1C2D3E"))});
    }

    void saveWritesSortedKeysAndPlainSlashes()
    {
        write(R"([{"name": "A", "url": "https:\/\/a.example/status/", "note": "keep me?", "components": ["c1"]},
                  {"name": "B", "url": "https:\/\/b.example"}])");
        const QList<Service> loaded = store().load();
        QVERIFY(store().save(loaded).ok());

        const QByteArray text = onDisk();
        QVERIFY(text.startsWith('['));
        QVERIFY(!text.contains("note"));
        QVERIFY(text.contains("\"https://a.example/status/\""));
        QVERIFY(!text.contains("\\/"));
        QVERIFY(text.contains("\n    {\n        \"components\""));

        const qsizetype components = text.indexOf("\"components\"");
        const qsizetype id = text.indexOf("\"id\"");
        const qsizetype name = text.indexOf("\"name\"");
        const qsizetype provider = text.indexOf("\"provider\"");
        const qsizetype url = text.indexOf("\"url\"");
        QVERIFY(components < id && id < name && name < provider && provider < url);

        // The second record has no components key at all, and ids are written upper-case.
        const QJsonArray array = QJsonDocument::fromJson(text).array();
        QVERIFY(!array.at(1).toObject().contains(QLatin1String("components")));
        const QString idText = array.at(0).toObject().value(QLatin1String("id")).toString();
        QCOMPARE(idText, idText.toUpper());

        // What was saved loads back identically, identifiers included.
        QCOMPARE(store().load(), loaded);
    }

    void saveCreatesTheFolderAndReplacesAtomically()
    {
        QTemporaryDir base;
        const ServiceStore nested(base.path() + QStringLiteral("/a/b/Glinter"));
        QVERIFY(nested.save(ServiceStore::seedList()).ok());
        QCOMPARE(nested.load(), ServiceStore::seedList());
        // No temporary files are left beside the file.
        QCOMPARE(QDir(nested.directory()).entryList(QDir::Files), QStringList{QStringLiteral("services.json")});
    }
};

QTEST_GUILESS_MAIN(TestServiceStore)
#include "tst_servicestore.moc"
