#include "net/networkenvironment.h"
#include "ui/settings/checkrow.h"
#include "ui/settings/componentpicker.h"
#include "ui/settings/customaddform.h"
#include "ui/settings/searchfield.h"
#include "ui/settings/servicesfilter.h"
#include "ui/settings/settingsbuttons.h"

#include "fakeserver.h"
#include "settingsrig.h"
#include "widgets.h"

#include <QAbstractItemView>
#include <QAccessible>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QScrollArea>
#include <qcoro/qcorotimer.h>

using namespace Qt::StringLiterals;

namespace {

using Component = PageComponent;

Component item(const char *id, const char *name, std::optional<QString> group = std::nullopt,
               std::optional<bool> heading = std::nullopt)
{
    return Component{QString::fromUtf8(id), QString::fromUtf8(name), u"operational"_s, heading, group};
}

QList<Component> page()
{
    return {item("api", "API"),
            item("eu", "Europe", std::nullopt, true),
            item("eu-api", "EU API", u"eu"_s),
            item("eu-web", "EU Dashboard", u"eu"_s),
            item("us", "America", std::nullopt, true),
            item("us-api", "US API", u"us"_s),
            item("orphan", "Lost API", u"nowhere"_s)};
}

CheckRow *row(const ComponentPicker &picker, const QString &componentID)
{
    return child<CheckRow>(picker, "component", "componentID", componentID);
}

QPushButton *sectionButton(const ComponentPicker &picker, const QString &sectionID)
{
    return child<QPushButton>(*child<QWidget>(picker, "section", "sectionID", sectionID), "selectAll");
}

// Loads the picker from a page that lists `components`, or fails with `error`.
void load(ComponentPicker &picker, const QList<Component> &components, std::optional<QString> error = std::nullopt)
{
    picker.setLoader([=](QUrl) -> QCoro::Task<Decoded<QList<Component>>> {
        if (error)
            co_return Decoded<QList<Component>>{std::nullopt, *error};
        co_return Decoded<QList<Component>>{components, {}};
    });
    QCoro::waitFor(picker.load());
}

QStringList titles(const QList<ServicesFilter::ComponentSection> &sections)
{
    QStringList list;
    for (const auto &section : sections)
        list.append(section.title + u':' + QString::number(section.items.size()));
    return list;
}

} // namespace

// The form on an empty list, with a feed check that answers from a table by kind (after
// `delay`, with `failure` for a kind it has no answer for) and records what it was asked.
struct FormRig : SettingsRig {
    QHash<ProviderKind, Indicator> answers;
    QString failure = u"HTTP 404"_s;
    std::chrono::milliseconds delay{0};
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
            if (delay.count() > 0)
                co_await QCoro::sleepFor(delay);
            const Indicator indicator = answers.value(*service.provider, Indicator::Unknown);
            const QString text = indicator == Indicator::Unknown ? failure : u"ok"_s;
            co_return ServiceStatusResult{service.id, indicator, text, QDateTime::currentDateTimeUtc(), {}, false};
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

// The two forms that choose what a service is: the custom-service form and the picker of a
// Statuspage page's components.
class TestServiceForms : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void sections()
    {
        QCOMPARE(titles(ServicesFilter::componentSections(page(), {})), words(":1 Europe:2 America:1"));
        // a search in two groups: only those, only the matches, no heading as a row
        QCOMPARE(titles(ServicesFilter::componentSections(page(), u"api"_s)), words(":1 Europe:1 America:1"));
        QCOMPARE(titles(ServicesFilter::componentSections(page(), u"eu"_s)), words("Europe:2"));
        QCOMPARE(titles(ServicesFilter::componentSections(page(), u"america"_s)), QStringList());
    }

    void tickingSavesAndMonitorAllClears()
    {
        const Service acme = makeService("Acme", "https://status.acme.test");
        SettingsRig rig({acme});
        ComponentPicker picker(*rig.monitor, acme);
        load(picker, page());
        auto *monitorAll = child<QPushButton>(picker, "monitorAll");
        auto *search = child<SearchField>(picker, "componentSearch");
        QVERIFY(!monitorAll->isEnabled());
        QVERIFY(!row(picker, u"api"_s)->isChecked());

        row(picker, u"eu-web"_s)->click();
        QCOMPARE(rig.saved().first().components, QStringList({u"eu-web"_s}));
        QVERIFY(monitorAll->isEnabled());
        QCOMPARE(row(picker, u"eu-web"_s)->accessibleDescription(), u"Selected"_s);

        // unticking the last one means all components again
        row(picker, u"eu-web"_s)->click();
        QCOMPARE(rig.saved().first().components, std::nullopt);

        // select all under a search leaves the hidden items of the section alone
        search->setText(u"dash"_s);
        QPushButton *europe = sectionButton(picker, u"eu"_s);
        europe->click();
        QCOMPARE(rig.saved().first().components, QStringList({u"eu-web"_s}));
        QCOMPARE(europe->accessibleName(), u"Deselect all in Europe"_s);

        search->setText(QString());
        row(picker, u"us-api"_s)->toggle(); // as a screen reader's toggle action
        QCOMPARE(rig.saved().first().components, QStringList({u"eu-web"_s, u"us-api"_s}));
        monitorAll->click();
        QCOMPARE(rig.saved().first().components, std::nullopt);
        QVERIFY(!row(picker, u"us-api"_s)->isChecked());

        picker.show();
        QTest::keyClick(child<QLineEdit>(*search, "query"), Qt::Key_Escape);
        QVERIFY(!picker.isVisible());
    }

    // An edit of services.json merged while the picker is open is not undone by the next
    // tick; a service removed meanwhile closes the picker.
    void eachTickAppliesToTheSelectionStoredNow()
    {
        Service acme = makeService("Acme", "https://status.acme.test");
        acme.components = QStringList{u"eu-api"_s};
        SettingsRig rig({acme});
        auto *picker = new ComponentPicker(*rig.monitor, acme);
        const QPointer<ComponentPicker> alive(picker);
        QVERIFY(
            child<QPushButton>(*picker, "monitorAll")->isEnabled()); // the stored selection, before the page answers
        load(*picker, page());
        picker->show();

        rig.monitor->setComponents(QStringList{u"eu-api"_s, u"us-api"_s}, acme);
        QVERIFY(row(*picker, u"us-api"_s)->isChecked());
        row(*picker, u"api"_s)->click();
        QCOMPARE(rig.saved().first().components, QStringList({u"api"_s, u"eu-api"_s, u"us-api"_s}));

        rig.monitor->setComponents(std::nullopt, acme);
        sectionButton(*picker, u"us"_s)->click();
        QCOMPARE(rig.saved().first().components, QStringList({u"us-api"_s}));

        rig.monitor->remove(acme);
        QTRY_VERIFY(!alive);
        QVERIFY(rig.saved().isEmpty());
    }

    // Group names and errors come from the page: they are shown as written, the error instead
    // of the list.
    void markupFromThePageStaysText()
    {
        const Service acme = makeService("Acme", "https://status.acme.test");
        SettingsRig rig({acme});
        ComponentPicker picker(*rig.monitor, acme);
        load(picker, {Component{u"g"_s, markupName, u"operational"_s, true, std::nullopt},
                      Component{u"c"_s, markupName, u"operational"_s, std::nullopt, u"g"_s}});
        verifyNoMarkupRendered(picker);
        QVERIFY(showsText(picker, markupName)); // the group's title

        ComponentPicker failing(*rig.monitor, acme);
        load(failing, {}, markupName);
        verifyNoMarkupRendered(failing);
        QVERIFY(child<QLabel>(failing, "loadError")->isVisibleTo(&failing));
        QVERIFY(showsText(failing, markupName));
        QVERIFY(!child<QScrollArea>(failing, "componentList")->isVisibleTo(&failing));
    }

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

        // an address of another kind is refused for what it is; no address at all as such
        for (const QString &typed : {u"mailto:x@acme.test"_s, u"ftp://files.acme.test"_s, u"file:///etc/passwd"_s}) {
            rig.add(u"Bad"_s, typed);
            QCOMPARE(shownError(form), u"Only http:// and https:// addresses can be watched"_s);
        }
        rig.add(u"Bad"_s, u"/just/a/path"_s);
        QCOMPARE(shownError(form), u"Invalid URL"_s);

        // detection adds the format it found, or names what each one said (the order and the
        // stop at the first are detectProvider's, tested with the providers)
        rig.answers.insert(ProviderKind::StatusIo, Indicator::None);
        const int detect = rig.format->findData(-1); // the last choice, after every format
        rig.add(u"Auto"_s, u"auto.acme.test"_s, detect);
        QCOMPARE(rig.saved().last().provider, ProviderKind::Instatus);

        rig.answers.clear();
        rig.add(u"Nope"_s, u"nope.acme.test"_s, detect);
        const QString reasons = shownError(form).value_or(QString());
        QVERIFY(reasons.contains(u"Statuspage.io: HTTP 404; Instatus: HTTP 404; Status.io: HTTP 404"_s));
        QCOMPARE(rig.saved().size(), 3);
    }

    // Screen readers hear what the combo box is for, and its choice as its value (Qt alone
    // would name it by the choice).
    void formatPickerSaysWhatItIsFor()
    {
        FormRig rig;
        rig.format->setCurrentIndex(rig.format->findData(-1));
        QAccessibleInterface *picker = QAccessible::queryAccessibleInterface(rig.format);
        QCOMPARE(picker->role(), QAccessible::ComboBox);
        QCOMPARE(picker->text(QAccessible::Name), u"Feed format"_s);
        QCOMPARE(picker->text(QAccessible::Value), u"Detect automatically"_s);
        rig.format->setCurrentIndex(0);
        const QAccessibleTextInterface *value = picker->textInterface();
        QCOMPARE(value->text(0, value->characterCount()), rig.format->currentText());
        // the list of choices is there to walk, and it opens
        QCOMPARE(picker->child(0)->object(), static_cast<QObject *>(rig.format->view()));
        QVERIFY(picker->actionInterface()->actionNames().contains(QAccessibleActionInterface::showMenuAction()));
    }

    // While the check runs a screen reader hears "Checking…"; starting the form over meanwhile
    // (the window closed and opened again) empties it, and the press still adds the page.
    void checkingIsAnnouncedAndStartingOverKeepsThePress()
    {
        FormRig rig;
        rig.delay = std::chrono::milliseconds(50);
        rig.answers.insert(ProviderKind::Statuspage, Indicator::None);
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
        rig.failure = markupName;
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

    // A page on another platform offers its monitors the same way: the picker asks the
    // service's own provider, and the button shows for every provider that can list parts.
    void monitorsOfAnUptimeKumaPage()
    {
        FakeServer server;
        server.setRoute("/api/status-page/lab", FakeRoute::json(R"({"publicGroupList":[
            {"id":1,"name":"Web","monitorList":[{"id":1,"name":"Website"},{"id":2,"name":"API"}]},
            {"id":2,"name":"Storage","monitorList":[{"id":5,"name":"NAS"}]}]})"));
        const Service lab{QUuid::createUuid(), u"Lab"_s, server.httpUrl(u"/status/lab"_s), ProviderKind::UptimeKuma,
                          std::nullopt};
        SettingsRig rig({lab});
        ComponentPicker picker(*rig.monitor, lab);
        QCoro::waitFor(picker.load());
        QVERIFY(!child<QLabel>(picker, "loadError")->isVisibleTo(&picker));
        row(picker, u"5"_s)->click();
        QCOMPARE(rig.saved().first().components, QStringList({u"5"_s}));
        QCOMPARE(row(picker, u"2"_s)->accessibleName(), u"API"_s);
        sectionButton(picker, u"group/1"_s)->click();
        QCOMPARE(rig.saved().first().components, QStringList({u"1"_s, u"2"_s, u"5"_s}));

        ComponentsButton button(*rig.monitor);
        button.setWanted(true);
        for (const auto &[kind, offered] :
             {std::pair(ProviderKind::Gatus, true), std::pair(ProviderKind::Cachet, true),
              std::pair(ProviderKind::Instatus, true), std::pair(ProviderKind::Website, false)}) {
            Service service = lab;
            service.provider = kind;
            button.setService(service);
            QCOMPARE(!button.isHidden(), offered);
        }
    }
};

QTEST_MAIN(TestServiceForms)
#include "tst_serviceforms.moc"
