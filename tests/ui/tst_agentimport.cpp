#include "ui/settings/agentimportrow.h"

#include "catalog/servicecatalog.h"
#include "core/providerkind.h"
#include "monitor/statusmonitor.h"
#include "ui/settings/agentprompt.h"

#include "monitorrig.h"
#include "testfiles.h"

#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QPushButton>
#include <QTest>

using namespace std::chrono_literals;
using namespace Qt::StringLiterals;

// A monitor on a temporary folder whose services.json is gone again, as on a first run
// before anything was saved.
struct Rig : MonitorRig {
    std::unique_ptr<AgentImportRow> row;
    QList<QUrl> opened;

    Rig()
    {
        QFile::remove(filePath());
        row = std::make_unique<AgentImportRow>(*monitor);
        row->setFileOpener([this](const QUrl &url) { opened.append(url); });
    }

    QString filePath() const { return monitor->store().filePath(); }
};

class TestAgentImport : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void promptEmbedsPathTableAndProviders()
    {
        const QString table = AgentPrompt::catalogTable();
        const QStringList lines = table.split(u'\n');
        QCOMPARE(lines.size(), ServiceCatalog::all().size());
        for (qsizetype i = 0; i < lines.size(); ++i) {
            const QStringList fields = lines.at(i).split(u" | "_s);
            QCOMPARE(fields.size(), 3);
            const CatalogEntry &entry = ServiceCatalog::all().at(i);
            QCOMPARE(fields.at(0), entry.name);
            QCOMPARE(QUrl(fields.at(1)), entry.url);
            QVERIFY2(providerKindFromRaw(fields.at(2)) == entry.provider, qPrintable(lines.at(i)));
        }

        const QString path = u"/home/someone/.local/share/Glinter/services.json"_s;
        const QString prompt = AgentPrompt::text(path);
        // The path stands alone on its line, indented by four spaces, as plain text.
        QVERIFY(prompt.contains(u"reloads live on every save:\n\n    " + path + u"\n\n## Step 1 — "));
        QVERIFY(!prompt.contains(u"file://"_s));
        // The table follows the Step 2 paragraph after one blank line and is followed by one.
        QVERIFY(prompt.contains(u"(Name | status page URL | provider):\n\n"_s + table
                                + u"\n\nFor a third-party service not in this table"_s));
        // Every provider the file accepts is named, and nothing else.
        QStringList raws;
        for (const ProviderKind kind : allProviderKinds())
            raws.append(rawValue(kind));
        QVERIFY(prompt.contains(raws.join(u", "_s) + u'.'));
    }

    void copyWritesTheMissingFileFirst()
    {
        Rig rig;
        QVERIFY(!QFile::exists(rig.filePath()));
        QCOMPARE(rig.row->copyButton()->text(), u"Copy AI Prompt"_s);

        rig.row->setCopiedDuration(50ms);
        rig.row->copyPrompt();
        QVERIFY(QFile::exists(rig.filePath()));
        QCOMPARE(rig.monitor->store().load(), rig.monitor->services());
        QCOMPARE(QGuiApplication::clipboard()->text(), AgentPrompt::text(rig.filePath()));
        QCOMPARE(rig.row->copyButton()->text(), u"Copied"_s);
        QTRY_COMPARE(rig.row->copyButton()->text(), u"Copy AI Prompt"_s);
    }

    void editOpensOnlyTheServicesFile()
    {
        Rig rig;
        rig.row->editButton()->click();
        QVERIFY(QFile::exists(rig.filePath()));
        QCOMPARE(rig.opened, QList<QUrl>{QUrl::fromLocalFile(rig.filePath())});

        // An existing file is opened as it is, never rewritten first.
        const QByteArray byHand = "[ {\"name\": \"Hand\", \"url\": \"https://hand.example\"} ]\n";
        QVERIFY(writeFile(rig.filePath(), byHand));
        rig.row->openConfig();
        rig.row->copyPrompt();
        QCOMPARE(readFile(rig.filePath()), byHand);
        QCOMPARE(rig.opened.size(), 2);
    }
};

QTEST_MAIN(TestAgentImport)
#include "tst_agentimport.moc"
