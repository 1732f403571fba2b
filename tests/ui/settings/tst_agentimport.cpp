#include "catalog/agentprompt.h"
#include "monitor/statusmonitor.h"
#include "ui/settings/agentimportrow.h"

#include "monitorrig.h"
#include "testfiles.h"
#include "widgets.h"

#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QPushButton>
#include <QTest>

using namespace std::chrono_literals;
using namespace Qt::StringLiterals;

class TestAgentImport : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void copyWritesTheMissingFileAndEditOpensItAsItIs()
    {
        // a monitor on a temporary folder whose services.json is gone again, as on a first run
        MonitorRig rig;
        const QString path = rig.monitor->store().filePath();
        QFile::remove(path);
        AgentImportRow row(*rig.monitor);
        QList<QUrl> opened;
        row.setFileOpener([&opened](const QUrl &url) { opened.append(url); });
        row.setCopiedDuration(50ms);
        row.copyPrompt();
        QVERIFY(QFile::exists(path));
        QCOMPARE(rig.monitor->store().load(), rig.monitor->services());
        const QString prompt = QGuiApplication::clipboard()->text();
        QCOMPARE(prompt, AgentPrompt::text(path));
        // The path stands alone on its line, indented by four spaces, as plain text.
        QVERIFY(prompt.contains(u"reloads live on every save:\n\n    " + path + u"\n\n## Step 1 — "));
        QVERIFY(!prompt.contains(u"file://"_s));
        // The table follows the Step 2 paragraph after one blank line and is followed by one.
        QVERIFY(prompt.contains(u"(Name | status page URL | provider):\n\n"_s + AgentPrompt::catalogTable()
                                + u"\n\nFor a third-party service not in this table"_s));
        auto *copy = child<QPushButton>(row, "copyPrompt");
        QCOMPARE(copy->text(), u"Copied"_s);
        QTRY_COMPARE(copy->text(), u"Copy AI Prompt"_s);

        // An existing file is opened as it is, never rewritten first.
        const QByteArray byHand = "[ {\"name\": \"Hand\", \"url\": \"https://hand.example\"} ]\n";
        QVERIFY(writeFile(path, byHand));
        child<QPushButton>(row, "editConfig")->click();
        row.copyPrompt();
        QCOMPARE(readFile(path), byHand);
        QCOMPARE(opened, QList<QUrl>{QUrl::fromLocalFile(path)});
    }
};

QTEST_MAIN(TestAgentImport)
#include "tst_agentimport.moc"
