#include "core/settings.h"
#include "core/settingsfile.h"
#include "core/translations.h"
#include "monitor/statusmonitor.h"
#include "platform/null/nullloginitem.h"
#include "ui/settings/awsregionpicker.h"
#include "ui/settings/checkrow.h"
#include "ui/settings/generaltab.h"

#include "fakeserver.h"
#include "monitorrig.h"
#include "widgets.h"

#include <QAccessible>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

using namespace std::chrono_literals;
using namespace Qt::StringLiterals;

namespace {

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

    explicit Rig(LoginItem::Status login = LoginItem::Status::NotRegistered)
        : MonitorRig({makeService("GitHub")})
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

    QCheckBox *launchAtLogin() const { return child<QCheckBox>(*tab, "launchAtLogin"); }
};

class TestGeneralTab : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // English's plural forms ("1 minute", "2 minutes") come from its translation, as in the
    // program; the locale stays the tests' C.
    void initTestCase() { QVERIFY(Translations::install({u"en"_s, QLocale::c()})); }

    void init()
    {
        for (const char *key :
             {"refreshInterval", "notificationsEnabled", "notificationMinSeverity", "webhookURL", "awsRegions"})
            SettingsFile::remove(QString::fromLatin1(key));
    }

    void launchAtLoginSwitch()
    {
        Rig enabled(LoginItem::Status::Enabled);
        QVERIFY(enabled.launchAtLogin()->isChecked());
        Rig off(LoginItem::Status::Disabled);
        QVERIFY(!off.launchAtLogin()->isChecked());

        off.loginItem->failWith(u"no autostart folder"_s);
        off.launchAtLogin()->click();
        QCOMPARE(off.loginItem->registerCalls(), 1);
        QVERIFY(off.launchAtLogin()->isChecked());

        enabled.launchAtLogin()->click();
        QCOMPARE(enabled.loginItem->unregisterCalls(), 1);
    }

    void pickersFollowTheMonitorAndPreferences()
    {
        Rig rig;
        auto *picker = child<QComboBox>(*rig.tab, "refreshPicker");
        const auto shownInterval = [picker] { return std::chrono::minutes(picker->currentData().toLongLong()); };
        QVERIFY(shownInterval() == rig.monitor->refreshInterval());
        // named by its label, not by its choice
        QCOMPARE(QAccessible::queryAccessibleInterface(picker)->text(QAccessible::Name), u"Refresh every"_s);

        const int halfHour = picker->findData(qlonglong(30));
        QVERIFY(halfHour >= 0);
        picker->setCurrentIndex(halfHour);
        Q_EMIT picker->activated(halfHour);
        QVERIFY(rig.monitor->refreshInterval() == 30min);
        QCOMPARE(SettingsFile::doubleValue(u"refreshInterval"_s, 0), 1800.0);

        rig.monitor->setRefreshInterval(1min);
        QVERIFY(shownInterval() == 1min);
        // A hand-set interval that is none of the choices selects none, rather than
        // claiming one the monitor does not use.
        rig.monitor->setRefreshInterval(2min);
        QCOMPARE(picker->currentIndex(), -1);

        // the severity threshold is hidden while notifications are off
        auto *notify = child<QCheckBox>(*rig.tab, "notify");
        auto *severity = child<QComboBox>(*rig.tab, "severityPicker");
        QVERIFY(notify->isChecked());
        QVERIFY(severity->isVisible());

        const int criticalOnly = severity->findData(storedNumber(Indicator::Critical));
        QVERIFY(criticalOnly >= 0);
        severity->setCurrentIndex(criticalOnly);
        Q_EMIT severity->activated(criticalOnly);
        QCOMPARE(rig.monitor->settings().notificationMinSeverity(), Indicator::Critical);

        notify->click();
        QVERIFY(!rig.monitor->settings().notificationsEnabled());
        QVERIFY(!severity->isVisible());
        QCOMPARE(rig.permissionRequests, 0);

        // switching off keeps the threshold for the next time
        notify->click();
        QVERIFY(rig.monitor->settings().notificationsEnabled());
        QVERIFY(severity->isVisible());
        QCOMPARE(severity->currentIndex(), criticalOnly);
        QCOMPARE(rig.permissionRequests, 1);

        // Reopened, the tab shows the stored state.
        notify->click();
        Rig again;
        QVERIFY(!child<QCheckBox>(*again.tab, "notify")->isChecked());
        QVERIFY(!child<QComboBox>(*again.tab, "severityPicker")->isVisible());
    }

    void webhookTest()
    {
        FakeServer server;
        server.setRoute("/refused", FakeRoute::text("no", 500));
        server.setRoute("/hook", FakeRoute::text("ok", 204));
        Rig rig;
        auto *field = child<QLineEdit>(*rig.tab, "webhookField");
        auto *send = child<QPushButton>(*rig.tab, "sendTest");
        auto *result = child<QLabel>(*rig.tab, "testResult");
        QVERIFY(!send->isEnabled()); // nothing to test without an address
        retype(field, server.httpUrl(u"/refused"_s).toString());
        send->click();
        QVERIFY(!send->isEnabled());
        QTRY_COMPARE_WITH_TIMEOUT(result->text(), u"Failed — check the URL"_s, 15000);
        QVERIFY(result->isVisible());
        QVERIFY(send->isEnabled());

        retype(field, server.httpUrl(u"/hook"_s).toString());
        QVERIFY(!result->isVisible());
        send->click();
        QTRY_COMPARE_WITH_TIMEOUT(result->text(), u"Delivered"_s, 15000);
        QCOMPARE(server.requestCount("/hook"), 1);

        // Opened anew, the tab forgets the outcome and reads what was changed elsewhere:
        // the address, and the login entry.
        SettingsFile::setValue(u"webhookURL"_s, u"https://hooks.example/elsewhere"_s);
        rig.loginItem->setStatus(LoginItem::Status::Enabled);
        rig.tab->startOver();
        QVERIFY(!result->isVisible());
        QCOMPARE(field->text(), u"https://hooks.example/elsewhere"_s);
        QVERIFY(rig.launchAtLogin()->isChecked());
        QCOMPARE(rig.loginItem->registerCalls(), 0); // read, not written
    }

    // What a screen reader says of each control, Qt's own parts of them included.
    void everyControlIsNamed()
    {
        Rig rig;
        retype(child<QLineEdit>(*rig.tab, "webhookField"), u"https://hooks.example/x"_s);
        for (QWidget *control : rig.tab->findChildren<QWidget *>()) {
            if (!qobject_cast<QAbstractButton *>(control) && !qobject_cast<QLineEdit *>(control)
                && !qobject_cast<QComboBox *>(control))
                continue;
            QAccessibleInterface *accessible = QAccessible::queryAccessibleInterface(control);
            QVERIFY2(accessible && !accessible->text(QAccessible::Name).isEmpty(), control->metaObject()->className());
        }
    }

    void regionPickerFollowsAWSAndWritesThrough()
    {
        // A stored code the table does not know still counts as selected.
        SettingsFile::setValue(u"awsRegions"_s, QStringList{u"us-west-2"_s, u"not-a-region"_s});
        Rig rig;
        auto *section = child<QWidget>(*rig.tab, "regionsSection");
        QVERIFY(!section->isVisible());
        const Service aws = makeService("AWS", {}, ProviderKind::Aws);
        rig.monitor->add(aws);
        QVERIFY(section->isVisible());
        auto *button = child<QPushButton>(*rig.tab, "regionsButton");
        QCOMPARE(button->accessibleDescription(), u"2 selected"_s);

        button->click();
        auto *picker = child<AWSRegionPicker>(*rig.tab, "regionPicker");
        QVERIFY(picker->isVisible());
        const auto row = [picker](const QString &code) { return child<CheckRow>(*picker, "region", "code", code); };
        auto *monitorAll = child<QPushButton>(*picker, "monitorAll");
        QVERIFY(row(u"us-west-2"_s)->isChecked());
        QVERIFY(!row(u"us-east-1"_s)->isChecked());
        QCOMPARE(row(u"us-east-1"_s)->accessibleDescription(), u"Not selected, us-east-1"_s);

        monitorAll->click();
        QCOMPARE(button->accessibleDescription(), u"All regions"_s);
        QVERIFY(rig.monitor->settings().awsRegions().isEmpty());
        QVERIFY(!monitorAll->isEnabled());

        row(u"eu-west-1"_s)->click();
        // a screen reader's toggle action flips the row without a click; it is stored too
        row(u"ap-south-1"_s)->toggle();
        QCOMPARE(button->accessibleDescription(), u"2 selected"_s);
        QCOMPARE(SettingsFile::stringListValue(u"awsRegions"_s), QStringList({u"ap-south-1"_s, u"eu-west-1"_s}));
        QCOMPARE(row(u"ap-south-1"_s)->accessibleDescription(), u"Selected, ap-south-1"_s);
        QVERIFY(monitorAll->isEnabled());

        rig.monitor->remove(aws);
        QVERIFY(!section->isVisible());
        QVERIFY(!picker->isVisible());
    }
};

QTEST_MAIN(TestGeneralTab)
#include "tst_generaltab.moc"
