#include "ui/settings/servicestab.h"

#include "alerts/notificationprefs.h"
#include "ui/settings/customaddform.h"
#include "ui/settings/searchfield.h"
#include "ui/settings/servicerows.h"
#include "ui/settings/servicesfilter.h"
#include "ui/settings/settingsbuttons.h"

#include "settingsrig.h"

#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>

namespace {

QStringList names(const QList<ListedServiceRow *> &rows)
{
    QStringList list;
    for (const ListedServiceRow *row : rows)
        list.append(row->service().name);
    return list;
}

} // namespace

class TestServicesTab : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init() { NotificationPrefs::setMutedServiceIDs({}); }

    void searchRules_data()
    {
        QTest::addColumn<QString>("entry");
        QTest::addColumn<QString>("query");
        QTest::addColumn<bool>("matches");
        const QString dockerHost = catalogEntry(QStringLiteral("Docker Hub")).url.host();
        QTest::newRow("empty keeps all") << QStringLiteral("GitHub") << QString() << true;
        QTest::newRow("name, any case") << QStringLiteral("GitHub") << QStringLiteral("gItH") << true;
        QTest::newRow("host fragment, not in the name") << QStringLiteral("Docker Hub") << dockerHost.section(u'.', -2, -2) << true;
        QTest::newRow("no match") << QStringLiteral("GitHub") << QStringLiteral("zzzz") << false;
    }
    void searchRules()
    {
        QFETCH(QString, entry);
        QFETCH(QString, query);
        QFETCH(bool, matches);
        QCOMPARE(ServicesFilter::matches(catalogEntry(entry), query), matches);
    }

    void customSearchIgnoresAddressWithoutHost()
    {
        const Service noHost{QUuid::createUuid(), QStringLiteral("Box"), QUrl(QStringLiteral("file:///srv/box")),
                             ProviderKind::Website, std::nullopt};
        QVERIFY(!ServicesFilter::matches(noHost, QStringLiteral("srv")));
        QVERIFY(ServicesFilter::matches(customService(QStringLiteral("Acme"), QStringLiteral("https://status.acme.test")),
                                        QStringLiteral("ACME.TE")));
    }

    void reorderSectionNeedsTwoServicesAndNoSearch()
    {
        SettingsRig rig({serviceFor(catalogEntry(QStringLiteral("GitHub")))});
        ServicesTab tab(*rig.monitor);
        QVERIFY(!tab.showsReorderSection());

        rig.monitor->setMonitored(catalogEntry(QStringLiteral("Stripe")), true);
        QVERIFY(tab.showsReorderSection());
        QCOMPARE(names(tab.reorderRows()), QStringList({QStringLiteral("GitHub"), QStringLiteral("Stripe")}));

        tab.searchField()->setText(QStringLiteral("git"));
        QVERIFY(!tab.showsReorderSection());
        QVERIFY(tab.isCategoryShown(QStringLiteral("Developer Tools")));
        QVERIFY(!tab.isCategoryShown(QStringLiteral("Payments & Commerce")));
    }

    void emptySearchAndClearing()
    {
        SettingsRig rig({customService(QStringLiteral("Acme"), QStringLiteral("https://status.acme.test"))});
        ServicesTab tab(*rig.monitor);
        QVERIFY(tab.showsCustomSection());

        tab.searchField()->setText(QStringLiteral("acme.test"));
        QVERIFY(tab.showsCustomSection());
        QVERIFY(!tab.showsEmptySearch());

        tab.searchField()->setText(QStringLiteral("qqqqxyz"));
        QVERIFY(tab.showsEmptySearch());
        QVERIFY(tab.emptySearchText().startsWith(QStringLiteral("No results for “qqqqxyz”")));
        QVERIFY(!tab.showsCustomSection());

        QVERIFY(tab.searchField()->clearButton()->isVisibleTo(tab.searchField()));
        tab.searchField()->clearButton()->click();
        QVERIFY(!tab.showsEmptySearch());
        QVERIFY(tab.showsCustomSection());
        for (const QString &category : ServiceCatalog::categories())
            QVERIFY(tab.isCategoryShown(category));
    }

    void switchWritesThroughAndFollowsRemoval()
    {
        SettingsRig rig({serviceFor(catalogEntry(QStringLiteral("Stripe")))});
        ServicesTab tab(*rig.monitor);
        CatalogRow *github = tab.catalogRow(catalogEntry(QStringLiteral("GitHub")).id());
        QCOMPARE(github->toggle()->accessibleName(), QStringLiteral("Monitor GitHub"));
        QVERIFY(!github->toggle()->isChecked());
        QVERIFY(github->muteButton()->isHidden());

        github->toggle()->click();
        QCOMPARE(names(rig.saved()), QStringList({QStringLiteral("Stripe"), QStringLiteral("GitHub")}));
        QVERIFY(github->toggle()->isChecked());
        QVERIFY(!github->muteButton()->isHidden());
        QVERIFY(!github->componentsButton()->isHidden());

        // removing from the reorder row switches the catalog toggle off
        ListedServiceRow *row = tab.reorderRows().at(1);
        QCOMPARE(row->removeButton()->accessibleName(), QStringLiteral("Remove GitHub"));
        row->removeButton()->click();
        QTRY_VERIFY(!github->toggle()->isChecked());
        QCOMPARE(names(rig.saved()), QStringList({QStringLiteral("Stripe")}));
        QVERIFY(github->muteButton()->isHidden());

        // a screen reader's toggle action only toggles, it does not click
        github->toggle()->toggle();
        QCOMPARE(names(rig.saved()), QStringList({QStringLiteral("Stripe"), QStringLiteral("GitHub")}));
    }

    void selectAllUnderSearchTouchesOnlyShownEntries()
    {
        SettingsRig rig({serviceFor(catalogEntry(QStringLiteral("npm")))});
        ServicesTab tab(*rig.monitor);
        CategoryHeader *header = tab.categoryHeader(QStringLiteral("Developer Tools"));
        tab.searchField()->setText(QStringLiteral("git"));   // GitHub, GitLab, Gitpod
        QCOMPARE(header->button()->text(), QStringLiteral("Select all"));
        header->button()->click();
        QStringList saved = names(rig.saved());
        QCOMPARE(saved, QStringList({QStringLiteral("npm"), QStringLiteral("GitHub"), QStringLiteral("GitLab"),
                                     QStringLiteral("Gitpod")}));
        QCOMPARE(header->button()->text(), QStringLiteral("Deselect all"));

        header->button()->click();
        QCOMPARE(names(rig.saved()), QStringList({QStringLiteral("npm")}));

        // without a search, one monitored entry leaves the others to be added
        tab.searchField()->setText(QString());
        header->button()->click();
        QCOMPARE(rig.saved().size(), ServiceCatalog::entries(QStringLiteral("Developer Tools")).size());
        QCOMPARE(rig.saved().first().name, QStringLiteral("npm"));
    }

    void muteButtonsAgree()
    {
        const Service acme = customService(QStringLiteral("Acme"), QStringLiteral("https://status.acme.test"));
        SettingsRig rig({acme, serviceFor(catalogEntry(QStringLiteral("GitHub")))});
        ServicesTab tab(*rig.monitor);
        ListedServiceRow *custom = tab.customRows().at(0);
        ListedServiceRow *reorder = tab.reorderRows().at(0);
        QCOMPARE(custom->muteButton()->accessibleName(), QStringLiteral("Mute notifications"));

        custom->muteButton()->click();
        QVERIFY(NotificationPrefs::isMuted(acme.id));
        QVERIFY(reorder->muteButton()->isMuted());
        QCOMPARE(reorder->muteButton()->accessibleName(), QStringLiteral("Unmute notifications"));
        QCOMPARE(reorder->muteButton()->toolTip(), QStringLiteral("Notifications muted"));

        // the catalog row and the reorder row of one service, the other way round
        CatalogRow *github = tab.catalogRow(catalogEntry(QStringLiteral("GitHub")).id());
        tab.reorderRows().at(1)->muteButton()->click();
        QVERIFY(github->muteButton()->isMuted());
        github->muteButton()->click();
        QVERIFY(!tab.reorderRows().at(1)->muteButton()->isMuted());
        QVERIFY(reorder->muteButton()->isMuted());
    }

    void rowsAreRefilledInPlace()
    {
        SettingsRig rig({serviceFor(catalogEntry(QStringLiteral("GitHub"))), serviceFor(catalogEntry(QStringLiteral("Stripe")))});
        ServicesTab tab(*rig.monitor);
        const qsizetype before = tab.findChildren<QWidget *>().size();
        rig.monitor->remove(rig.monitor->services().at(0));
        rig.monitor->setMonitored(catalogEntry(QStringLiteral("Linear")), true);
        rig.monitor->reloadFromDisk();
        QCOMPARE(tab.findChildren<QWidget *>().size(), before);
        QCOMPARE(names(tab.reorderRows()), QStringList({QStringLiteral("Stripe"), QStringLiteral("Linear")}));
    }

    void altArrowsMoveTheFocusedRow()
    {
        SettingsRig rig({serviceFor(catalogEntry(QStringLiteral("GitHub"))), serviceFor(catalogEntry(QStringLiteral("Stripe"))),
                         serviceFor(catalogEntry(QStringLiteral("Linear")))});
        ServicesTab tab(*rig.monitor);
        tab.show();
        QVERIFY(QTest::qWaitForWindowExposed(&tab));
        ListedServiceRow *first = tab.reorderRows().at(0);
        first->setFocus();
        QTest::keyClick(first, Qt::Key_Down, Qt::AltModifier);
        QCOMPARE(names(rig.saved()), QStringList({QStringLiteral("Stripe"), QStringLiteral("GitHub"), QStringLiteral("Linear")}));
        ListedServiceRow *focused = tab.reorderRows().at(1);
        QTRY_VERIFY(focused->hasFocus());
        QTest::keyClick(focused, Qt::Key_Down, Qt::AltModifier);
        QTest::keyClick(tab.reorderRows().at(2), Qt::Key_Down, Qt::AltModifier);   // already last
        QCOMPARE(names(rig.saved()), QStringList({QStringLiteral("Stripe"), QStringLiteral("Linear"), QStringLiteral("GitHub")}));
        QTest::keyClick(tab.reorderRows().at(2), Qt::Key_Up, Qt::AltModifier);
        QCOMPARE(names(rig.monitor->services()), QStringList({QStringLiteral("Stripe"), QStringLiteral("GitHub"), QStringLiteral("Linear")}));
    }

    void dragMovesARow()
    {
        SettingsRig rig({serviceFor(catalogEntry(QStringLiteral("GitHub"))), serviceFor(catalogEntry(QStringLiteral("Stripe"))),
                         serviceFor(catalogEntry(QStringLiteral("Linear")))});
        ServicesTab tab(*rig.monitor);
        tab.resize(480, 900);
        tab.show();
        QVERIFY(QTest::qWaitForWindowExposed(&tab));
        ListedServiceRow *first = tab.reorderRows().at(0);
        ListedServiceRow *last = tab.reorderRows().at(2);
        const QPoint start(4, first->height() / 2);
        QTest::mousePress(first, Qt::LeftButton, {}, start);
        const QPoint over = first->mapFromGlobal(last->mapToGlobal(QPoint(4, last->height() / 2)));
        QMouseEvent move(QEvent::MouseMove, over, first->mapToGlobal(over), Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(first, &move);
        QTest::mouseRelease(first, Qt::LeftButton, {}, over);
        QCOMPARE(names(rig.saved()), QStringList({QStringLiteral("Stripe"), QStringLiteral("Linear"), QStringLiteral("GitHub")}));
    }
};

QTEST_MAIN(TestServicesTab)
#include "tst_servicestab.moc"
