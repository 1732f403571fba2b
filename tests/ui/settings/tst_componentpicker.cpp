#include "ui/settings/checkrow.h"
#include "ui/settings/componentpicker.h"
#include "ui/settings/searchfield.h"
#include "ui/settings/servicesfilter.h"

#include "settingsrig.h"
#include "widgets.h"

#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QScrollArea>

using namespace Qt::StringLiterals;

namespace {

using Component = StatuspageProvider::Component;

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

QPushButton *monitorAll(const ComponentPicker &picker)
{
    return child<QPushButton>(picker, "monitorAll");
}

SearchField *search(const ComponentPicker &picker)
{
    return child<SearchField>(picker, "componentSearch");
}

// Loads the picker from a page that lists `components`, or fails with `error`.
void load(ComponentPicker &picker, const QList<Component> &components, std::optional<QString> error = std::nullopt)
{
    picker.setLoader([=](QUrl) -> QCoro::Task<StatuspageProvider::ComponentListing> {
        co_return StatuspageProvider::ComponentListing{components, error};
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

class TestComponentPicker : public QObject
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
        QVERIFY(!monitorAll(picker)->isEnabled());
        QVERIFY(!row(picker, u"api"_s)->isChecked());

        row(picker, u"eu-web"_s)->click();
        QCOMPARE(rig.saved().first().components, QStringList({u"eu-web"_s}));
        QVERIFY(monitorAll(picker)->isEnabled());
        QCOMPARE(row(picker, u"eu-web"_s)->accessibleDescription(), u"Selected"_s);

        // unticking the last one means all components again
        row(picker, u"eu-web"_s)->click();
        QCOMPARE(rig.saved().first().components, std::nullopt);

        // select all under a search leaves the hidden items of the section alone
        search(picker)->setText(u"dash"_s);
        QPushButton *europe = sectionButton(picker, u"eu"_s);
        europe->click();
        QCOMPARE(rig.saved().first().components, QStringList({u"eu-web"_s}));
        QCOMPARE(europe->accessibleName(), u"Deselect all in Europe"_s);

        search(picker)->setText(QString());
        row(picker, u"us-api"_s)->toggle(); // as a screen reader's toggle action
        QCOMPARE(rig.saved().first().components, QStringList({u"eu-web"_s, u"us-api"_s}));
        monitorAll(picker)->click();
        QCOMPARE(rig.saved().first().components, std::nullopt);
        QVERIFY(!row(picker, u"us-api"_s)->isChecked());

        // Escape in the search field closes the picker
        picker.show();
        QTest::keyClick(child<QLineEdit>(*search(picker), "query"), Qt::Key_Escape);
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
        QVERIFY(monitorAll(*picker)->isEnabled()); // the stored selection, before the page answers
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
};

QTEST_MAIN(TestComponentPicker)
#include "tst_componentpicker.moc"
