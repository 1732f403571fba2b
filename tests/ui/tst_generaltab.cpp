#include "ui/settings/generaltab.h"

#include "alerts/notificationprefs.h"
#include "alerts/webhookprefs.h"
#include "core/preferences.h"
#include "monitor/statusmonitor.h"
#include "platform/null/nullloginitem.h"
#include "providers/awsregionfilter.h"
#include "ui/settings/awsregionpicker.h"
#include "ui/settings/checkrow.h"

#include "fakeserver.h"
#include "monitorrig.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

using namespace std::chrono_literals;

namespace {

Service makeService(const QString &name, ProviderKind provider = ProviderKind::Statuspage)
{
    return Service{QUuid::createUuid(), name, QUrl(u"https://" + name.toLower() + u".example"), provider, std::nullopt};
}

// Types into a field the way a user does, so that textEdited() follows.
void retype(QLineEdit *field, const QString &text)
{
    field->selectAll();
    QTest::keyClick(field, Qt::Key_Delete);
    QTest::keyClicks(field, text);
}

} // namespace

// A monitor on a temporary folder and the tab on it, with a login item that only records.
struct Rig : MonitorRig {
    NullLoginItem *loginItem = nullptr;
    int permissionRequests = 0;
    std::unique_ptr<GeneralTab> tab;

    explicit Rig(const QList<Service> &services = {makeService(QStringLiteral("GitHub"))},
                 LoginItem::Status login = LoginItem::Status::NotRegistered)
        : MonitorRig(services)
    {
        auto item = std::make_unique<NullLoginItem>();
        item->setStatus(login);
        loginItem = item.get();
        GeneralTab::Hooks hooks;
        hooks.loginItem = std::move(item);
        hooks.requestNotificationPermission = [this] { ++permissionRequests; };
        tab = std::make_unique<GeneralTab>(*monitor, std::move(hooks));
        tab->resize(500, 580);
        tab->show();
    }
};

class TestGeneralTab : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        for (const char *key : {"refreshInterval", "notificationsEnabled", "notificationMinSeverity", "webhookURL",
                                "awsRegions"})
            Preferences::remove(QString::fromLatin1(key));
    }

    void refreshPickerFollowsTheMonitor()
    {
        Rig rig;
        QComboBox *picker = rig.tab->refreshPicker();
        QCOMPARE(picker->count(), 4);
        QCOMPARE(picker->currentText(), QStringLiteral("5 minutes"));

        picker->setCurrentIndex(3);
        Q_EMIT picker->activated(3);
        QVERIFY(rig.monitor->refreshInterval() == 30min);
        QCOMPARE(Preferences::doubleValue(QStringLiteral("refreshInterval"), 0), 1800.0);

        rig.monitor->setRefreshInterval(1min);
        QCOMPARE(picker->currentText(), QStringLiteral("1 minute"));
        // A hand-set interval that is none of the choices selects none, rather than
        // claiming one the monitor does not use.
        rig.monitor->setRefreshInterval(2min);
        QCOMPARE(picker->currentIndex(), -1);

        // A new tab shows what is stored.
        Rig again;
        QVERIFY(again.monitor->refreshInterval() == 2min);
        QCOMPARE(again.tab->refreshPicker()->currentIndex(), -1);
    }

    void launchAtLoginSwitch()
    {
        Rig enabled({}, LoginItem::Status::Enabled);
        QVERIFY(enabled.tab->launchAtLoginSwitch()->isChecked());
        Rig off({}, LoginItem::Status::Disabled);
        QVERIFY(!off.tab->launchAtLoginSwitch()->isChecked());

        off.loginItem->failWith(QStringLiteral("no autostart folder"));
        off.tab->launchAtLoginSwitch()->click();
        QCOMPARE(off.loginItem->registerCalls(), 1);
        // The switch stays where the user put it.
        QVERIFY(off.tab->launchAtLoginSwitch()->isChecked());

        enabled.tab->launchAtLoginSwitch()->click();
        QCOMPARE(enabled.loginItem->unregisterCalls(), 1);
        QCOMPARE(enabled.loginItem->status(), LoginItem::Status::NotRegistered);
    }

    void thresholdHiddenWhileNotificationsAreOff()
    {
        Rig rig;
        QCheckBox *notify = rig.tab->notifySwitch();
        QComboBox *severity = rig.tab->severityPicker();
        QVERIFY(notify->isChecked());
        QVERIFY(severity->isVisible());
        QCOMPARE(severity->currentText(), QStringLiteral("Any issue"));

        severity->setCurrentIndex(2);
        Q_EMIT severity->activated(2);
        QCOMPARE(NotificationPrefs::minSeverity(), Indicator::Critical);

        notify->click();
        QVERIFY(!NotificationPrefs::enabled());
        QVERIFY(!severity->isVisible());
        QCOMPARE(rig.permissionRequests, 0);
        QCOMPARE(NotificationPrefs::minSeverity(), Indicator::Critical);

        notify->click();
        QVERIFY(NotificationPrefs::enabled());
        QVERIFY(severity->isVisible());
        QCOMPARE(severity->currentText(), QStringLiteral("Critical only"));
        QCOMPARE(rig.permissionRequests, 1);

        // Reopened, the tab shows the stored state.
        notify->click();
        Rig again;
        QVERIFY(!again.tab->notifySwitch()->isChecked());
        QVERIFY(!again.tab->severityPicker()->isVisible());
    }

    void webhookTest_data()
    {
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("shown");
        QTest::newRow("delivered") << 204 << QStringLiteral("Delivered");
        QTest::newRow("refused") << 500 << QStringLiteral("Failed — check the URL");
    }

    void webhookTest()
    {
        QFETCH(int, status);
        QFETCH(QString, shown);
        FakeServer server;
        server.setRoute("/hook", FakeRoute::text("ok", status));
        Rig rig;
        QLineEdit *field = rig.tab->webhookField();
        QPushButton *send = rig.tab->sendTestButton();
        QCOMPARE(send->text(), QStringLiteral("Send test"));
        QVERIFY(!send->isEnabled());

        retype(field, QStringLiteral("hooks.example/no-scheme"));
        QCOMPARE(WebhookPrefs::rawAddress(), QStringLiteral("hooks.example/no-scheme"));
        QVERIFY(!send->isEnabled());

        const QString address = server.httpUrl(QStringLiteral("/hook")).toString();
        retype(field, address);
        QCOMPARE(WebhookPrefs::rawAddress(), address);
        QVERIFY(send->isEnabled());

        send->click();
        QCOMPARE(send->text(), QStringLiteral("Sending…"));
        QVERIFY(!send->isEnabled());
        QTRY_COMPARE_WITH_TIMEOUT(rig.tab->testResultLabel()->text(), shown, 15000);
        QVERIFY(rig.tab->testResultLabel()->isVisible());
        QCOMPARE(send->text(), QStringLiteral("Send test"));
        QVERIFY(send->isEnabled());
        QCOMPARE(server.requestCount("/hook"), 1);
        const QJsonObject posted = QJsonDocument::fromJson(server.requests().constLast().body).object();
        QCOMPARE(posted.value(u"event").toString(), QStringLiteral("test"));
        // The stored address is left as typed either way.
        QCOMPARE(WebhookPrefs::rawAddress(), address);

        // Typing again clears the outcome.
        QTest::keyClick(field, Qt::Key_Backspace);
        QVERIFY(!rig.tab->testResultLabel()->isVisible());
        QVERIFY(rig.tab->testResultLabel()->text().isEmpty());
    }

    void regionsSectionFollowsAWS()
    {
        Rig rig;
        QVERIFY(!rig.tab->regionsSection()->isVisible());

        const Service aws = makeService(QStringLiteral("AWS"), ProviderKind::Aws);
        rig.monitor->add(aws);
        QVERIFY(rig.tab->regionsSection()->isVisible());
        QPushButton *row = rig.tab->regionsButton();
        QCOMPARE(row->accessibleName(), QStringLiteral("AWS Regions"));
        QCOMPARE(row->accessibleDescription(), QStringLiteral("All regions"));

        row->click();
        AWSRegionPicker *picker = rig.tab->regionPicker();
        QVERIFY(picker);
        QVERIFY(picker->isVisible());
        QCOMPARE(picker->size(), QSize(290, 400));
        QVERIFY(!picker->monitorAllButton()->isEnabled());

        picker->row(QStringLiteral("eu-west-1"))->click();
        picker->row(QStringLiteral("ap-south-1"))->click();
        QCOMPARE(row->accessibleDescription(), QStringLiteral("2 selected"));
        QCOMPARE(Preferences::stringListValue(QStringLiteral("awsRegions")),
                 QStringList({QStringLiteral("ap-south-1"), QStringLiteral("eu-west-1")}));
        QVERIFY(picker->row(QStringLiteral("eu-west-1"))->isChecked());
        QVERIFY(!picker->row(QStringLiteral("us-east-1"))->isChecked());
        QVERIFY(picker->monitorAllButton()->isEnabled());

        // Pressing a ticked row again unticks it.
        picker->row(QStringLiteral("ap-south-1"))->click();
        QCOMPARE(row->accessibleDescription(), QStringLiteral("1 selected"));
        QVERIFY(!picker->row(QStringLiteral("ap-south-1"))->isChecked());

        // A screen reader's toggle action flips the row without a click; it is stored too.
        picker->row(QStringLiteral("us-east-1"))->toggle();
        QCOMPARE(AWSRegionFilter::selected(), QSet<QString>({QStringLiteral("eu-west-1"), QStringLiteral("us-east-1")}));
        QCOMPARE(row->accessibleDescription(), QStringLiteral("2 selected"));
        picker->toggle(QStringLiteral("us-east-1"));
        QVERIFY(!picker->row(QStringLiteral("us-east-1"))->isChecked());
        QCOMPARE(row->accessibleDescription(), QStringLiteral("1 selected"));

        picker->monitorAllButton()->click();
        QCOMPARE(row->accessibleDescription(), QStringLiteral("All regions"));
        QVERIFY(AWSRegionFilter::selected().isEmpty());
        QVERIFY(!picker->row(QStringLiteral("eu-west-1"))->isChecked());
        QVERIFY(!picker->monitorAllButton()->isEnabled());

        rig.monitor->remove(aws);
        QVERIFY(!rig.tab->regionsSection()->isVisible());
        QVERIFY(!picker->isVisible());
    }

    void pickerShowsEveryRegionOnceAndTheStoredSelection()
    {
        AWSRegionFilter::setSelected({QStringLiteral("us-west-2"), QStringLiteral("not-a-region")});
        Rig rig({makeService(QStringLiteral("AWS"), ProviderKind::Aws)});
        // A stored code the table does not know still counts as selected.
        QCOMPARE(rig.tab->regionsButton()->accessibleDescription(), QStringLiteral("2 selected"));
        rig.tab->showRegionPicker();
        AWSRegionPicker *picker = rig.tab->regionPicker();
        int rows = 0;
        for (const AWSRegionFilter::Group &group : AWSRegionFilter::groups()) {
            for (const AWSRegionFilter::Region &region : group.regions) {
                CheckRow *row = picker->row(region.code);
                QVERIFY(row);
                QCOMPARE(row->accessibleName(), region.name);
                QCOMPARE(row->accessibleDescription(), region.code);
                QCOMPARE(row->isChecked(), region.code == u"us-west-2");
                ++rows;
            }
        }
        QCOMPARE(picker->findChildren<CheckRow *>().size(), rows);
    }
};

QTEST_MAIN(TestGeneralTab)
#include "tst_generaltab.moc"
