#include "ui/settings/servicestab.h"

#include "core/settings.h"
#include "core/preferences.h"
#include "ui/settings/customaddform.h"
#include "ui/settings/searchfield.h"
#include "ui/settings/servicerows.h"
#include "ui/settings/servicesfilter.h"
#include "ui/settings/settingsbuttons.h"
#include "ui/settings/settingsglyphs.h"
#include "ui/settings/settingswindow.h"

#include "settingsrig.h"

#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QSignalSpy>
#include <QTextDocument>

using namespace Qt::StringLiterals;

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
    void init()
    {
        Preferences::remove(u"mutedServiceIDs"_s);
        Preferences::remove(u"mutedUntil"_s);
        Preferences::remove(u"mutedUntil"_s);
    }

    // Catalog entries match by a piece of the host too (names: the "git" search below);
    // custom services by host only when they have one.
    void searchRules()
    {
        const CatalogEntry docker = catalogEntry(u"Docker Hub"_s);
        QVERIFY(ServicesFilter::matches(docker, docker.url.host().section(u'.', -2, -2)));
        const Service noHost{QUuid::createUuid(), u"Box"_s, QUrl(u"file:///srv/box"_s), ProviderKind::Website, std::nullopt};
        QVERIFY(!ServicesFilter::matches(noHost, u"srv"_s));
        QVERIFY(ServicesFilter::matches(makeService("Acme", "https://status.acme.test"), u"ACME.TE"_s));
    }

    void searchHidesReorderingAndMuteButtonsAgree()
    {
        const Service acme = makeService("Acme", "https://status.acme.test", ProviderKind::Instatus);
        SettingsRig rig({acme});
        ServicesTab tab(*rig.monitor);
        QVERIFY(tab.showsCustomSection());
        // components are chosen on Statuspage pages only
        QVERIFY(tab.customRows().at(0)->componentsButton()->isHidden());
        QVERIFY(!tab.showsReorderSection()); // one service is nothing to reorder

        rig.monitor->add(ServiceCatalog::newServices({catalogEntry(u"GitHub"_s)}));
        QVERIFY(tab.showsReorderSection());
        QCOMPARE(names(tab.reorderRows()), words("Acme GitHub"));

        tab.searchField()->setText(u"qqqqxyz"_s);
        QVERIFY(!tab.showsReorderSection());
        QVERIFY(tab.showsEmptySearch());
        QVERIFY(tab.emptySearchText().startsWith(u"No results for “qqqqxyz”"_s));
        QVERIFY(!tab.showsCustomSection());

        QVERIFY(tab.searchField()->clearButton()->isVisibleTo(tab.searchField()));
        tab.searchField()->clearButton()->click();
        QVERIFY(!tab.showsEmptySearch());
        QVERIFY(tab.showsCustomSection());
        QVERIFY(tab.showsReorderSection());
        for (const QString &category : ServiceCatalog::categories())
            QVERIFY(tab.isCategoryShown(category));

        // muting in one list shows in the other; the other service's buttons stay as they were
        tab.customRows().at(0)->muteButton()->click();
        QVERIFY(rig.monitor->settings().isMuted(acme.id));
        QVERIFY(tab.reorderRows().at(0)->muteButton()->isMuted());
        QCOMPARE(tab.reorderRows().at(0)->muteButton()->accessibleName(), u"Unmute notifications"_s);
        QVERIFY(!tab.catalogRow(catalogEntry(u"GitHub"_s).id())->muteButton()->isMuted());
    }

    // A mute from a notification shows on the bell with its end, and ends there by itself;
    // the bell ends it early.
    void timedMuteShowsUntilItEnds()
    {
        const Service acme = makeService("Acme", "https://status.acme.test", ProviderKind::Instatus);
        SettingsRig rig({acme});
        ServicesTab tab(*rig.monitor);
        MuteButton *bell = tab.customRows().at(0)->muteButton();
        const QDateTime end = QDateTime::currentDateTimeUtc().addSecs(3600);
        rig.monitor->settings().muteUntil(acme.id, end);
        QVERIFY(bell->isMuted());
        QCOMPARE(bell->accessibleName(), u"Unmute notifications"_s);
        const QString clock = rig.monitor->settings().mutes(end.addSecs(-1)).until.value(acme.id).toLocalTime().toString(u"HH:mm"_s);
        QVERIFY2(bell->toolTip().startsWith(u"Muted until "_s + clock), qPrintable(bell->toolTip()));
        bell->click();
        QVERIFY(!bell->isMuted());
        QVERIFY(!rig.monitor->settings().isMuted(acme.id));

        rig.monitor->settings().muteUntil(acme.id, QDateTime::currentDateTimeUtc().addMSecs(300));
        QTRY_VERIFY(!bell->isMuted());
        QCOMPARE(bell->toolTip(), u"Mute notifications"_s);
    }

    void switchWritesThroughAndFollowsRemoval()
    {
        SettingsRig rig({catalogService(u"Stripe"_s)});
        ServicesTab tab(*rig.monitor);
        CatalogRow *github = tab.catalogRow(catalogEntry(u"GitHub"_s).id());
        QCOMPARE(github->toggle()->accessibleName(), u"Monitor GitHub"_s);
        QVERIFY(github->muteButton()->isHidden());

        github->toggle()->click();
        QCOMPARE(names(rig.saved()), words("Stripe GitHub"));
        QVERIFY(github->toggle()->isChecked());
        QVERIFY(!github->muteButton()->isHidden());
        QVERIFY(!github->componentsButton()->isHidden());

        // removing from the reorder row switches the catalog toggle off
        ListedServiceRow *row = tab.reorderRows().at(1);
        QCOMPARE(row->removeButton()->accessibleName(), u"Remove GitHub"_s);
        row->removeButton()->click();
        QTRY_VERIFY(!github->toggle()->isChecked());
        QCOMPARE(names(rig.saved()), words("Stripe"));

        // a screen reader's toggle action only toggles, it does not click
        github->toggle()->toggle();
        QCOMPARE(names(rig.saved()), words("Stripe GitHub"));
    }

    void selectAllUnderSearchTouchesOnlyShownEntries()
    {
        SettingsRig rig({catalogService(u"npm"_s)});
        ServicesTab tab(*rig.monitor);
        CategoryHeader *header = tab.categoryHeader(u"Developer Tools"_s);
        tab.searchField()->setText(u"git"_s);
        // the whole section is one change of the list: one save, one refill of the tab
        QSignalSpy changes(rig.monitor.get(), &StatusMonitor::servicesChanged);
        header->button()->click();
        QCOMPARE(changes.size(), 1);
        QCOMPARE(names(rig.saved()), words("npm GitHub GitLab Gitpod"));
        QCOMPARE(header->button()->text(), u"Deselect all"_s);

        header->button()->click();
        QCOMPARE(changes.size(), 2);
        QCOMPARE(names(rig.saved()), words("npm"));

        // without a search, one monitored entry leaves the others to be added
        tab.searchField()->setText(QString());
        header->button()->click();
        QCOMPARE(rig.saved().size(), ServiceCatalog::entries(u"Developer Tools"_s).size());
        QCOMPARE(rig.saved().first().name, u"npm"_s);
    }

    // services.json is written by hand and by agents: a name is shown as written, never as
    // markup, and so is a search for one.
    void markupInNamesStaysText()
    {
        const Service marked = makeService(markupName, "https://status.marked.test");
        SettingsRig rig({marked, catalogService(u"GitHub"_s)});
        ServicesTab tab(*rig.monitor);
        QCOMPARE(names(tab.customRows()), QStringList{markupName});
        QVERIFY(showsText(tab, markupName));
        QCOMPARE(tab.customRows().at(0)->removeButton()->accessibleName(), u"Remove "_s + markupName);
        QTextDocument tooltip;
        tooltip.setHtml(tab.customRows().at(0)->removeButton()->toolTip());
        QCOMPARE(tooltip.toPlainText(), u"Remove "_s + markupName);
        verifyNoMarkupRendered(tab);

        tab.searchField()->setText(u"<b>nothing</b>"_s);
        QVERIFY(tab.showsEmptySearch());
        verifyNoMarkupRendered(tab);
    }

    // A window closed and opened again starts as new; raising an open one changes nothing.
    void reopenedWindowStartsFresh()
    {
        SettingsRig rig({catalogService(u"GitHub"_s)});
        SettingsWindow window(*rig.monitor, SettingsWindow::Tab::Services);
        window.open();
        auto *tab = window.findChild<ServicesTab *>();
        auto *form = window.findChild<CustomAddForm *>();
        tab->searchField()->setText(u"git"_s);
        form->nameField()->setText(u"Half"_s);
        form->addressField()->setText(u"mailto:typed@acme.test"_s);
        QCoro::waitFor(form->add());
        QVERIFY(form->error());
        form->nameField()->setText(u"Half typed"_s);

        window.open();
        QCOMPARE(tab->searchField()->text(), u"git"_s);
        QVERIFY(form->error());

        window.close();
        window.open();
        QVERIFY(tab->searchField()->text().isEmpty());
        QVERIFY(form->nameField()->text().isEmpty());
        QVERIFY(form->addressField()->text().isEmpty());
        QVERIFY(!form->error());
        QVERIFY(form->messageLine()->text() != u"Invalid URL"_s);
    }

    // Symbols are drawn in the palette's colours when painted, so a theme switch reaches them.
    void glyphsFollowThePalette()
    {
        const auto reddest = [](const QImage &image) {
            int best = 0;
            for (int y = 0; y < image.height(); ++y) {
                for (int x = 0; x < image.width(); ++x) {
                    const QColor colour = image.pixelColor(x, y);
                    if (colour.alpha() > 100)
                        best = std::max(best, colour.red() - colour.blue());
                }
            }
            return best;
        };
        QPalette red = QGuiApplication::palette();
        red.setColor(QPalette::WindowText, Qt::red);
        red.setColor(QPalette::PlaceholderText, Qt::red);
        red.setColor(QPalette::Window, Qt::white);

        RemoveButton button(*SettingsRig().monitor);
        button.resize(button.sizeHint());
        const int before = reddest(button.grab().toImage());
        button.setPalette(red);
        QVERIFY(reddest(button.grab().toImage()) > before + 100);

        const QIcon icon = paintedIcon(QPalette::WindowText, [](QPainter &painter, const QColor &colour) {
            painter.fillRect(QRectF(0, 0, 16, 16), colour);
        });
        const QPalette original = QGuiApplication::palette();
        QGuiApplication::setPalette(red);
        const QImage painted = icon.pixmap(QSize(16, 16), 2.0).toImage();
        QGuiApplication::setPalette(original);
        QCOMPARE(painted.size(), QSize(32, 32)); // drawn at the ratio asked for
        QCOMPARE(painted.pixelColor(8, 8), QColor(Qt::red));
    }

    void rowsAreRefilledInPlace()
    {
        SettingsRig rig({catalogService(u"GitHub"_s), catalogService(u"Stripe"_s)});
        ServicesTab tab(*rig.monitor);
        const qsizetype before = tab.findChildren<QWidget *>().size();
        rig.monitor->remove(rig.monitor->services().at(0));
        rig.monitor->add(ServiceCatalog::newServices({catalogEntry(u"Linear"_s)}));
        rig.monitor->reloadFromDisk();
        QCOMPARE(tab.findChildren<QWidget *>().size(), before);
        QCOMPARE(names(tab.reorderRows()), words("Stripe Linear"));
    }

    void altArrowsAndDragMoveARow()
    {
        SettingsRig rig({catalogService(u"GitHub"_s), catalogService(u"Stripe"_s), catalogService(u"Linear"_s)});
        ServicesTab tab(*rig.monitor);
        tab.resize(480, 900);
        tab.show();
        QVERIFY(QTest::qWaitForWindowExposed(&tab));
        ListedServiceRow *first = tab.reorderRows().at(0);
        first->setFocus();
        QTest::keyClick(first, Qt::Key_Down, Qt::AltModifier);
        QCOMPARE(names(rig.saved()), words("Stripe GitHub Linear"));
        ListedServiceRow *focused = tab.reorderRows().at(1);
        QTRY_VERIFY(focused->hasFocus());
        QTest::keyClick(focused, Qt::Key_Down, Qt::AltModifier);
        QTest::keyClick(tab.reorderRows().at(2), Qt::Key_Down, Qt::AltModifier); // already last
        QCOMPARE(names(rig.saved()), words("Stripe Linear GitHub"));
        QTest::keyClick(tab.reorderRows().at(2), Qt::Key_Up, Qt::AltModifier);
        QCOMPARE(names(rig.monitor->services()), words("Stripe GitHub Linear"));

        // the first row dragged onto the last
        ListedServiceRow *top = tab.reorderRows().at(0);
        ListedServiceRow *last = tab.reorderRows().at(2);
        QTest::mousePress(top, Qt::LeftButton, {}, QPoint(4, top->height() / 2));
        const QPoint over = top->mapFromGlobal(last->mapToGlobal(QPoint(4, last->height() / 2)));
        QMouseEvent move(QEvent::MouseMove, over, top->mapToGlobal(over), Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(top, &move);
        QTest::mouseRelease(top, Qt::LeftButton, {}, over);
        QCOMPARE(names(rig.saved()), words("GitHub Linear Stripe"));
    }
};

QTEST_MAIN(TestServicesTab)
#include "tst_servicestab.moc"
