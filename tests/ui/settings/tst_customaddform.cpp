#include "net/networkenvironment.h"
#include "ui/settings/customaddform.h"

#include "fakeserver.h"
#include "settingsrig.h"

#include <QAccessible>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <qcoro/qcorotimer.h>

using namespace Qt::StringLiterals;

// The form on an empty list, with a feed check that answers from a table by kind and
// records what it was asked.
struct FormRig : SettingsRig {
    QHash<ProviderKind, Indicator> answers;
    QList<Service> asked;
    CustomAddForm form{*monitor};
    QLineEdit *name = child<QLineEdit>(form, "nameField");
    QLineEdit *address = child<QLineEdit>(form, "addressField");
    QComboBox *format = child<QComboBox>(form, "formatPicker");
    QPushButton *addButton = child<QPushButton>(form, "addButton");

    FormRig()
    {
        form.setFeedCheck([this](Service service) -> QCoro::Task<ServiceStatusResult> {
            asked.append(service);
            const Indicator indicator = answers.value(service.provider, Indicator::Unknown);
            co_return ServiceStatusResult{service.id,
                                          indicator,
                                          indicator == Indicator::Unknown ? u"HTTP 404"_s : u"ok"_s,
                                          QDateTime::currentDateTimeUtc(),
                                          std::nullopt,
                                          false};
        });
    }

    void add(const QString &typedName, const QString &typedAddress, int formatIndex = 0)
    {
        name->setText(typedName);
        address->setText(typedAddress);
        format->setCurrentIndex(formatIndex);
        QCoro::waitFor(form.add());
    }
};

class TestCustomAddForm : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void resolution_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("resolved"); // empty: refused
        QTest::newRow("no scheme gets https") << u"status.acme.test"_s << u"https://status.acme.test"_s;
        QTest::newRow("spaces and tabs trimmed")
            << u" \thttps://status.acme.test/ \t"_s << u"https://status.acme.test/"_s;
        QTest::newRow("host and port") << u"localhost:8080"_s << u"https://localhost:8080"_s;
        QTest::newRow("plain http kept") << u"http://10.0.0.2/health"_s << u"http://10.0.0.2/health"_s;
        QTest::newRow("not a web scheme") << u"ftp://files.acme.test"_s << QString();
        QTest::newRow("no host at all") << u"/just/a/path"_s << QString();
    }
    void resolution()
    {
        QFETCH(QString, typed);
        QFETCH(QString, resolved);
        const std::optional<QUrl> url = CustomAddForm::resolveAddress(typed);
        QCOMPARE(url ? url->toString() : QString(), resolved);
    }

    void addingChecksOrDetectsTheFeed()
    {
        FormRig rig;
        CustomAddForm &form = rig.form;
        QVERIFY(!rig.addButton->isEnabled());
        rig.name->setText(u"   "_s);
        rig.address->setText(u"x"_s);
        QVERIFY(rig.addButton->isEnabled()); // as typed, before trimming

        // the picker is named by its buddy label
        QAccessibleInterface *combo = QAccessible::queryAccessibleInterface(rig.format);
        const auto labels = combo->relations(QAccessible::Label);
        QVERIFY(!labels.isEmpty());
        QCOMPARE(labels.first().first->text(QAccessible::Name), u"Feed format"_s);

        rig.add(u"Acme"_s, u"status.acme.test"_s, 1);
        QCOMPARE(shownError(form), u"Couldn't read a Instatus feed there (HTTP 404)"_s);
        QVERIFY(rig.saved().isEmpty());
        QCOMPARE(rig.address->text(), u"status.acme.test"_s);
        QVERIFY(rig.addButton->isEnabled()); // the check is over

        // any readable state, even an outage, is accepted; the probe's id is not kept
        rig.answers.insert(ProviderKind::Instatus, Indicator::Critical);
        QCoro::waitFor(form.add());
        QVERIFY(!shownError(form));
        QCOMPARE(rig.saved().size(), 1);
        QVERIFY(rig.saved().first().id != rig.asked.last().id);
        QVERIFY(rig.name->text().isEmpty());
        QVERIFY(rig.address->text().isEmpty());
        QCOMPARE(rig.format->currentIndex(), 0);

        // a website is added without a check, its name trimmed
        rig.add(u"  Box "_s, u"box.acme.test"_s, 2);
        QCOMPARE(rig.asked.size(), 2);
        QCOMPARE(rig.saved().last().name, u"Box"_s);
        QCOMPARE(rig.saved().last().provider, ProviderKind::Website);

        rig.add(u"Bad"_s, u"mailto:x@acme.test"_s);
        QCOMPARE(shownError(form), u"Invalid URL"_s);

        // detection keeps the first format that reads, or names what each one said
        rig.answers.insert(ProviderKind::StatusIo, Indicator::None);
        rig.asked.clear();
        rig.add(u"Auto"_s, u"auto.acme.test"_s, 3);
        QCOMPARE(rig.asked.size(), 2);
        QCOMPARE(rig.saved().last().provider, ProviderKind::Instatus);

        rig.answers.clear();
        rig.asked.clear();
        rig.add(u"Nope"_s, u"nope.acme.test"_s, 3);
        QCOMPARE(rig.asked.size(), 3);
        const QString reasons = shownError(form).value_or(QString());
        QVERIFY(reasons.contains(u"Statuspage.io: HTTP 404; Instatus: HTTP 404; Status.io: HTTP 404"_s));
        QCOMPARE(rig.saved().size(), 3);
    }

    // While the check runs a screen reader hears "Checking…"; starting the form over meanwhile
    // (the window closed and opened again) empties it, and the press still adds the page.
    void checkingIsAnnouncedAndStartingOverKeepsThePress()
    {
        FormRig rig;
        rig.form.setFeedCheck([](Service service) -> QCoro::Task<ServiceStatusResult> {
            co_await QCoro::sleepFor(std::chrono::milliseconds(50));
            co_return ServiceStatusResult{
                service.id, Indicator::None, u"ok"_s, QDateTime::currentDateTimeUtc(), std::nullopt, false};
        });
        rig.name->setText(u"Slow"_s);
        rig.address->setText(u"slow.acme.test"_s);
        QCoro::Task<> adding = rig.form.add();
        QVERIFY(!rig.addButton->isEnabled());
        QCOMPARE(rig.addButton->accessibleName(), u"Checking…"_s);

        rig.form.startOver();
        QCOMPARE(rig.addButton->accessibleName(), u"Add"_s);
        QVERIFY(rig.name->text().isEmpty());
        QCoro::waitFor(std::move(adding));
        QCOMPARE(names(rig.saved()), words("Slow"));
        QVERIFY(!shownError(rig.form));
        QVERIFY(rig.name->text().isEmpty());
        QVERIFY(!child<QLabel>(rig.form, "messageLine")->text().startsWith(u"Added"_s));

        // an error from the feed is shown as written
        rig.form.setFeedCheck([](Service service) -> QCoro::Task<ServiceStatusResult> {
            co_return ServiceStatusResult{
                service.id, Indicator::Unknown, markupName, QDateTime::currentDateTimeUtc(), std::nullopt, false};
        });
        rig.add(u"Bad"_s, u"bad.acme.test"_s, 1);
        QVERIFY(shownError(rig.form).value_or(QString()).contains(markupName));
        verifyNoMarkupRendered(rig.form);
    }

    void realStatuspageReaderThroughFakeServer()
    {
        QVERIFY(NetworkEnvironment::addCaCertificates(FakeServer::caCertificatePath()) > 0);
        FakeServer server;
        server.setRoute(
            "*", FakeRoute::json(
                     R"({"status":{"indicator":"none","description":"All good"},"components":[],"incidents":[]})"));
        SettingsRig rig;
        CustomAddForm form(*rig.monitor);
        child<QLineEdit>(form, "nameField")->setText(u"Local"_s);
        child<QLineEdit>(form, "addressField")->setText(server.httpsUrl().toString());
        QCoro::waitFor(form.add());
        QVERIFY2(!shownError(form), qPrintable(shownError(form).value_or(QString())));
        QCOMPARE(rig.saved().size(), 1);
    }
};

QTEST_MAIN(TestCustomAddForm)
#include "tst_customaddform.moc"
