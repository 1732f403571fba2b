#include "ui/settings/customaddform.h"

#include "providers/networkenvironment.h"

#include "fakeserver.h"
#include "settingsrig.h"

#include <QComboBox>
#include <QAccessible>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

// A feed check that answers from a table by kind and records what it was asked.
struct FakeFeeds {
    QHash<ProviderKind, Indicator> answers;
    QList<Service> asked;

    CustomAddForm::FeedCheck function()
    {
        return [this](Service service) -> QCoro::Task<ServiceStatusResult> {
            asked.append(service);
            const Indicator indicator = answers.value(service.provider, Indicator::Unknown);
            co_return ServiceStatusResult{service.id, indicator,
                                          indicator == Indicator::Unknown ? QStringLiteral("HTTP 404") : QStringLiteral("ok"),
                                          QDateTime::currentDateTimeUtc(), std::nullopt, false};
        };
    }
};

void fill(CustomAddForm &form, const QString &name, const QString &address, int choice = 0)
{
    form.nameField()->setText(name);
    form.addressField()->setText(address);
    form.formatPicker()->setCurrentIndex(choice);
}

} // namespace

class TestCustomAddForm : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void resolution_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("resolved");   // empty: refused
        QTest::newRow("no scheme gets https") << QStringLiteral("status.acme.test") << QStringLiteral("https://status.acme.test");
        QTest::newRow("spaces and tabs trimmed") << QStringLiteral(" \thttps://status.acme.test/ \t") << QStringLiteral("https://status.acme.test/");
        QTest::newRow("host and port") << QStringLiteral("localhost:8080") << QStringLiteral("https://localhost:8080");
        QTest::newRow("plain http kept") << QStringLiteral("http://10.0.0.2/health") << QStringLiteral("http://10.0.0.2/health");
        QTest::newRow("scheme without host") << QStringLiteral("mailto:ops@acme.test") << QStringLiteral("");
        QTest::newRow("not a web scheme") << QStringLiteral("ftp://files.acme.test") << QStringLiteral("");
        QTest::newRow("no host at all") << QStringLiteral("/just/a/path") << QStringLiteral("");
        QTest::newRow("blank") << QStringLiteral("   ") << QStringLiteral("");
    }
    void resolution()
    {
        QFETCH(QString, typed);
        QFETCH(QString, resolved);
        const std::optional<QUrl> url = CustomAddForm::resolveAddress(typed);
        QCOMPARE(url ? url->toString() : QString(), resolved);
    }

    void controlsAndNames()
    {
        SettingsRig rig;
        CustomAddForm form(*rig.monitor);
        QVERIFY(!form.addButton()->isEnabled());
        fill(form, QStringLiteral("   "), QStringLiteral("x"));
        QVERIFY(form.addButton()->isEnabled());   // as typed, before trimming
        QCOMPARE(form.messageLine()->text(), QStringLiteral("Paste a public status page; Glinter reads its live feed."));
        QCOMPARE(form.addressField()->placeholderText(), QStringLiteral("Status page URL"));
        form.formatPicker()->setCurrentIndex(2);
        QVERIFY(form.addressField()->placeholderText().endsWith(QStringLiteral(" or your server URL")));
        QVERIFY(form.messageLine()->text().startsWith(QStringLiteral("Pings any site")));
        QCOMPARE(form.formatPicker()->count(), 4);
        QCOMPARE(form.formatPicker()->itemText(3), QStringLiteral("Detect automatically"));

        // the picker is named by its buddy label
        QAccessibleInterface *combo = QAccessible::queryAccessibleInterface(form.formatPicker());
        const auto labels = combo->relations(QAccessible::Label);
        QVERIFY(!labels.isEmpty());
        QCOMPARE(labels.first().first->text(QAccessible::Name), QStringLiteral("Feed format"));
    }

    void websiteIsAddedWithoutCheckAndFormResets()
    {
        SettingsRig rig;
        CustomAddForm form(*rig.monitor);
        FakeFeeds feeds;
        form.setFeedCheck(feeds.function());
        fill(form, QStringLiteral("  Box "), QStringLiteral("box.acme.test"), 2);
        QCoro::waitFor(form.add());
        QVERIFY(feeds.asked.isEmpty());
        QCOMPARE(rig.saved().size(), 1);
        QCOMPARE(rig.saved().first().name, QStringLiteral("Box"));
        QCOMPARE(rig.saved().first().url, QUrl(QStringLiteral("https://box.acme.test")));
        QCOMPARE(rig.saved().first().provider, ProviderKind::Website);
        QVERIFY(form.nameField()->text().isEmpty());
        QVERIFY(form.addressField()->text().isEmpty());
        QCOMPARE(form.formatPicker()->currentText(), QStringLiteral("Statuspage.io"));
    }

    void failedCheckKeepsFieldsAndAddsNothing()
    {
        SettingsRig rig;
        CustomAddForm form(*rig.monitor);
        FakeFeeds feeds;
        form.setFeedCheck(feeds.function());
        fill(form, QStringLiteral("Acme"), QStringLiteral("status.acme.test"), 1);
        QCoro::waitFor(form.add());
        QCOMPARE(form.error(), QStringLiteral("Couldn't read a Instatus feed there (HTTP 404)"));
        QCOMPARE(form.messageLine()->text(), *form.error());
        QVERIFY(rig.saved().isEmpty());
        QCOMPARE(form.addressField()->text(), QStringLiteral("status.acme.test"));
        QVERIFY(!form.isValidating());
        QCOMPARE(form.addButton()->text(), QStringLiteral("Add"));

        // any readable state, even an outage, is accepted; the probe's id is not kept
        feeds.answers.insert(ProviderKind::Instatus, Indicator::Critical);
        QCoro::waitFor(form.add());
        QVERIFY(!form.error());
        QCOMPARE(rig.saved().size(), 1);
        QVERIFY(rig.saved().first().id != feeds.asked.last().id);

        fill(form, QStringLiteral("Bad"), QStringLiteral("mailto:x@acme.test"));
        QCoro::waitFor(form.add());
        QCOMPARE(form.error(), QStringLiteral("Invalid URL"));
    }

    void detectionKeepsTheFirstFormatThatReads()
    {
        SettingsRig rig;
        CustomAddForm form(*rig.monitor);
        FakeFeeds feeds;
        feeds.answers.insert(ProviderKind::Instatus, Indicator::None);
        feeds.answers.insert(ProviderKind::StatusIo, Indicator::None);
        form.setFeedCheck(feeds.function());
        fill(form, QStringLiteral("Acme"), QStringLiteral("status.acme.test"), 3);
        QCoro::waitFor(form.add());
        QCOMPARE(feeds.asked.size(), 2);
        QCOMPARE(rig.saved().first().provider, ProviderKind::Instatus);
        QCOMPARE(form.messageLine()->text(), QStringLiteral("Added as an Instatus page"));

        feeds.answers.clear();
        feeds.asked.clear();
        fill(form, QStringLiteral("Nope"), QStringLiteral("nope.acme.test"), 3);
        QCoro::waitFor(form.add());
        QCOMPARE(feeds.asked.size(), 3);
        QVERIFY(form.error()->contains(QStringLiteral("Statuspage.io: HTTP 404; Instatus: HTTP 404; Status.io: HTTP 404")));
        QCOMPARE(rig.saved().size(), 1);
    }

    void realStatuspageReaderThroughFakeServer()
    {
        QVERIFY(NetworkEnvironment::addCaCertificates(FakeServer::caCertificatePath()) > 0);
        FakeServer server;
        server.setRoute("*",
                        FakeRoute::json(R"({"status":{"indicator":"none","description":"All good"},"components":[],"incidents":[]})"));
        SettingsRig rig;
        CustomAddForm form(*rig.monitor);
        fill(form, QStringLiteral("Local"), server.httpsUrl().toString());
        QCoro::waitFor(form.add());
        QVERIFY2(!form.error(), qPrintable(form.error().value_or(QString())));
        QCOMPARE(rig.saved().size(), 1);

        server.setRoute("*", FakeRoute::text("gone", 500));
        fill(form, QStringLiteral("Broken"), server.httpsUrl().toString());
        QCoro::waitFor(form.add());
        QCOMPARE(form.error(), QStringLiteral("Couldn't read a Statuspage.io feed there (HTTP 500)"));
        QCOMPARE(rig.saved().size(), 1);
    }
};

QTEST_MAIN(TestCustomAddForm)
#include "tst_customaddform.moc"
