#include "ui/settings/componentpicker.h"

#include "ui/settings/checkrow.h"
#include "ui/settings/searchfield.h"
#include "ui/settings/servicesfilter.h"
#include "ui/settings/settingsbuttons.h"

#include "settingsrig.h"

#include <QPushButton>

namespace {

using Component = StatuspageProvider::Component;

Component item(const char *id, const char *name, std::optional<QString> group = std::nullopt)
{
    return Component{QString::fromUtf8(id), QString::fromUtf8(name), QStringLiteral("operational"), std::nullopt, group};
}

Component heading(const char *id, const char *name)
{
    return Component{QString::fromUtf8(id), QString::fromUtf8(name), QStringLiteral("operational"), true, std::nullopt};
}

QList<Component> page()
{
    return {item("api", "API"),
            heading("eu", "Europe"),
            item("eu-api", "EU API", QStringLiteral("eu")),
            item("eu-web", "EU Dashboard", QStringLiteral("eu")),
            heading("us", "America"),
            item("us-api", "US API", QStringLiteral("us")),
            item("orphan", "Lost API", QStringLiteral("nowhere"))};
}

QStringList titles(const QList<ServicesFilter::ComponentSection> &sections)
{
    QStringList list;
    for (const auto &section : sections)
        list.append(section.title + QLatin1Char(':') + QString::number(section.items.size()));
    return list;
}

QStringList words(const char *text)
{
    return QString::fromUtf8(text).split(u' ');
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
        QCOMPARE(titles(ServicesFilter::componentSections(page(), QStringLiteral("api"))),
                 words(":1 Europe:1 America:1"));
        QCOMPARE(titles(ServicesFilter::componentSections(page(), QStringLiteral("eu"))), words("Europe:2"));
        QCOMPARE(titles(ServicesFilter::componentSections(page(), QStringLiteral("america"))), QStringList());
        QVERIFY(ServicesFilter::componentSections({}, {}).isEmpty());
    }

    void buttonTexts()
    {
        QCOMPARE(ServicesFilter::componentsTooltip(std::nullopt), QStringLiteral("Watch specific components"));
        QCOMPARE(ServicesFilter::componentsTooltip(QStringList{QStringLiteral("a")}), QStringLiteral("Watching 1 component"));
        QCOMPARE(ServicesFilter::componentsTooltip(QStringList{QStringLiteral("a"), QStringLiteral("b")}),
                 QStringLiteral("Watching 2 components"));

        SettingsRig rig;
        ComponentsButton button(*rig.monitor);
        Service service = customService(QStringLiteral("Acme"), QStringLiteral("https://status.acme.test"));
        button.setService(service);
        QVERIFY(!button.isHidden());
        QCOMPARE(button.accessibleName(), QStringLiteral("Choose components for Acme"));
        service.provider = ProviderKind::Instatus;
        button.setService(service);
        QVERIFY(button.isHidden());
    }

    void tickingSavesAndMonitorAllClears()
    {
        const Service acme = customService(QStringLiteral("Acme"), QStringLiteral("https://status.acme.test"));
        SettingsRig rig({acme});
        ComponentPicker picker(*rig.monitor, acme);
        picker.setLoader([](QUrl) -> QCoro::Task<StatuspageProvider::ComponentListing> {
            co_return StatuspageProvider::ComponentListing{page(), std::nullopt};
        });
        QCoro::waitFor(picker.load());
        QVERIFY(!picker.monitorAllButton()->isEnabled());
        QVERIFY(!picker.row(QStringLiteral("api"))->isChecked());

        picker.row(QStringLiteral("eu-web"))->click();
        QCOMPARE(rig.saved().first().components, QStringList({QStringLiteral("eu-web")}));
        QVERIFY(picker.monitorAllButton()->isEnabled());
        QCOMPARE(picker.row(QStringLiteral("eu-web"))->accessibleDescription(), QStringLiteral("Selected"));

        // unticking the last one means all components again
        picker.row(QStringLiteral("eu-web"))->click();
        QCOMPARE(rig.saved().first().components, std::nullopt);

        // select all under a search leaves the hidden items of the section alone
        picker.searchField()->setText(QStringLiteral("dash"));
        QPushButton *europe = picker.sectionButton(QStringLiteral("eu"));
        QCOMPARE(europe->text(), QStringLiteral("Select all"));
        europe->click();
        QCOMPARE(rig.saved().first().components, QStringList({QStringLiteral("eu-web")}));
        QCOMPARE(europe->text(), QStringLiteral("Deselect all"));
        QCOMPARE(europe->accessibleName(), QStringLiteral("Deselect all in Europe"));
        QCOMPARE(picker.shownSections().size(), 1);

        picker.searchField()->setText(QString());
        picker.row(QStringLiteral("us-api"))->toggle();   // as a screen reader's toggle action
        QCOMPARE(rig.saved().first().components, QStringList({QStringLiteral("eu-web"), QStringLiteral("us-api")}));
        picker.monitorAllButton()->click();
        QCOMPARE(rig.saved().first().components, std::nullopt);
        QVERIFY(!picker.row(QStringLiteral("us-api"))->isChecked());
    }

    void startsFromStoredSelectionAndShowsErrors()
    {
        Service acme = customService(QStringLiteral("Acme"), QStringLiteral("https://status.acme.test"));
        acme.components = QStringList{QStringLiteral("us-api")};
        SettingsRig rig({acme});
        ComponentPicker picker(*rig.monitor, acme);
        picker.setLoader([](QUrl) -> QCoro::Task<StatuspageProvider::ComponentListing> {
            co_return StatuspageProvider::ComponentListing{{}, QStringLiteral("HTTP 503")};
        });
        QVERIFY(picker.monitorAllButton()->isEnabled());
        QCoro::waitFor(picker.load());
        QVERIFY(!picker.isLoaded());
        QCOMPARE(picker.error(), QStringLiteral("HTTP 503"));
        QVERIFY(picker.shownSections().isEmpty());
    }
};

QTEST_MAIN(TestComponentPicker)
#include "tst_componentpicker.moc"
