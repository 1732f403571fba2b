#include "catalog/agentprompt.h"
#include "core/settings.h"
#include "core/settingsfile.h"
#include "ui/settings/agentimportrow.h"
#include "ui/settings/customaddform.h"
#include "ui/settings/searchfield.h"
#include "ui/settings/servicerows.h"
#include "ui/settings/servicesfilter.h"
#include "ui/settings/servicestab.h"
#include "ui/settings/settingsbuttons.h"
#include "ui/settings/settingsglyphs.h"
#include "ui/settings/settingswindow.h"

#include "settingsrig.h"
#include "testfiles.h"
#include "widgets.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QSignalSpy>
#include <QTextDocument>

using namespace std::chrono_literals;
using namespace Qt::StringLiterals;

namespace {

QStringList names(const QList<ListedServiceRow *> &rows)
{
    QStringList list;
    for (const ListedServiceRow *row : rows)
        list.append(row->service().name);
    return list;
}

// What the tab shows, through the names it gives its parts.

SearchField *search(const QWidget &tab)
{
    return child<SearchField>(tab, "search");
}

bool shows(const QWidget &tab, const char *part)
{
    return child<QWidget>(tab, part)->isVisibleTo(&tab);
}

QList<ListedServiceRow *> reorderRows(const QWidget &tab)
{
    return shownChildren<ListedServiceRow>(*child<QWidget>(tab, "reorderSection"));
}

QList<ListedServiceRow *> customRows(const QWidget &tab)
{
    return shownChildren<ListedServiceRow>(*child<QWidget>(tab, "customSection"));
}

CatalogRow *catalogRow(const QWidget &tab, const QString &name)
{
    const QString id = catalogEntry(name).id();
    const QList<CatalogRow *> rows = tab.findChildren<CatalogRow *>();
    const auto found = std::find_if(rows.cbegin(), rows.cend(),
                                    [&id](const CatalogRow *row) { return row->entry().id() == id; });
    if (found == rows.cend())
        qFatal("no catalog row for %s", qPrintable(name));
    return *found;
}

CategoryHeader *categoryHeader(const QWidget &tab, const QString &title)
{
    return child<CategoryHeader>(tab, "category", "title", title);
}

MuteButton *muteButton(const QWidget *row)
{
    return child<MuteButton>(*row, "mute");
}

} // namespace

class TestServicesTab : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        SettingsFile::remove(u"mutedServiceIDs"_s);
        SettingsFile::remove(u"mutedUntil"_s);
    }

    // Catalog entries match by a piece of the host too (names: the "git" search below);
    // custom services by host only when they have one.
    void searchRules()
    {
        const CatalogEntry docker = catalogEntry(u"Docker Hub"_s);
        QVERIFY(ServicesFilter::matches(docker, docker.url.host().section(u'.', -2, -2)));
        const Service noHost{QUuid::createUuid(), u"Box"_s, QUrl(u"file:///srv/box"_s), ProviderKind::Website,
                             std::nullopt};
        QVERIFY(!ServicesFilter::matches(noHost, u"srv"_s));
        QVERIFY(ServicesFilter::matches(makeService("Acme", "https://status.acme.test"), u"ACME.TE"_s));
    }

    void searchHidesReorderingAndMuteButtonsAgree()
    {
        const Service acme = makeService("Acme", "https://status.acme.test", ProviderKind::Instatus);
        SettingsRig rig({acme});
        ServicesTab tab(*rig.monitor);
        QVERIFY(shows(tab, "customSection"));
        // an Instatus page lists its components to choose from
        QVERIFY(!child<ComponentsButton>(*customRows(tab).at(0), "components")->isHidden());
        QVERIFY(!shows(tab, "reorderSection")); // one service is nothing to reorder

        rig.monitor->add(ServiceCatalog::newServices({catalogEntry(u"GitHub"_s)}));
        QVERIFY(shows(tab, "reorderSection"));
        QCOMPARE(names(reorderRows(tab)), words("Acme GitHub"));

        search(tab)->setText(u"qqqqxyz"_s);
        QVERIFY(!shows(tab, "reorderSection"));
        QVERIFY(shows(tab, "emptySearch"));
        QVERIFY(child<QLabel>(tab, "emptySearch")->text().startsWith(u"No results for “qqqqxyz”"_s));
        QVERIFY(!shows(tab, "customSection"));

        auto *clear = child<QAbstractButton>(*search(tab), "clear");
        QVERIFY(clear->isVisibleTo(search(tab)));
        clear->click();
        QVERIFY(!shows(tab, "emptySearch"));
        QVERIFY(shows(tab, "customSection"));
        QVERIFY(shows(tab, "reorderSection"));
        for (const QString &category : ServiceCatalog::categories())
            QVERIFY(categoryHeader(tab, category)->isVisibleTo(&tab));

        // muting in one list shows in the other; the other service's buttons stay as they were
        muteButton(customRows(tab).at(0))->click();
        QVERIFY(rig.monitor->settings().isMuted(acme.id));
        // each bell is named for its service, whichever state it shows
        QCOMPARE(muteButton(reorderRows(tab).at(0))->accessibleName(), u"Unmute notifications for Acme"_s);
        QCOMPARE(muteButton(catalogRow(tab, u"GitHub"_s))->accessibleName(), u"Mute notifications for GitHub"_s);
        QCOMPARE(muteButton(reorderRows(tab).at(1))->accessibleName(), u"Mute notifications for GitHub"_s);
    }

    // A mute from a notification shows on the bell with its end, and ends there by itself;
    // the bell ends it early.
    void timedMuteShowsUntilItEnds()
    {
        const Service acme = makeService("Acme", "https://status.acme.test", ProviderKind::Instatus);
        SettingsRig rig({acme});
        ServicesTab tab(*rig.monitor);
        MuteButton *bell = muteButton(customRows(tab).at(0));
        const QDateTime end = QDateTime::currentDateTimeUtc().addSecs(3600);
        rig.monitor->settings().muteUntil(acme.id, end);
        QCOMPARE(bell->accessibleName(), u"Unmute notifications for Acme"_s);
        const QString clock =
            rig.monitor->settings().mutes(end.addSecs(-1)).until.value(acme.id).toLocalTime().toString(u"HH:mm"_s);
        QVERIFY2(bell->toolTip().startsWith(u"Muted until "_s + clock), qPrintable(bell->toolTip()));
        bell->click();
        QCOMPARE(bell->accessibleName(), u"Mute notifications for Acme"_s);
        QVERIFY(!rig.monitor->settings().isMuted(acme.id));

        rig.monitor->settings().muteUntil(acme.id, QDateTime::currentDateTimeUtc().addMSecs(300));
        QTRY_COMPARE(bell->accessibleName(), u"Mute notifications for Acme"_s);
        QCOMPARE(bell->toolTip(), u"Mute notifications"_s);
    }

    void switchWritesThroughAndFollowsRemoval()
    {
        SettingsRig rig({catalogService(u"Stripe"_s)});
        ServicesTab tab(*rig.monitor);
        CatalogRow *github = catalogRow(tab, u"GitHub"_s);
        auto *toggle = child<SwitchButton>(*github, "monitor");
        QCOMPARE(toggle->accessibleName(), u"Monitor GitHub"_s);
        QVERIFY(muteButton(github)->isHidden());

        toggle->click();
        QCOMPARE(names(rig.saved()), words("Stripe GitHub"));
        QVERIFY(toggle->isChecked());
        QVERIFY(!muteButton(github)->isHidden());
        QVERIFY(!child<ComponentsButton>(*github, "components")->isHidden());

        // removing from the reorder row switches the catalog toggle off
        auto *remove = child<RemoveButton>(*reorderRows(tab).at(1), "remove");
        QCOMPARE(remove->accessibleName(), u"Remove GitHub"_s);
        remove->click();
        QTRY_VERIFY(!toggle->isChecked());
        QCOMPARE(names(rig.saved()), words("Stripe"));

        // a screen reader's toggle action only toggles, it does not click
        toggle->toggle();
        QCOMPARE(names(rig.saved()), words("Stripe GitHub"));
    }

    void selectAllUnderSearchTouchesOnlyShownEntries()
    {
        SettingsRig rig({catalogService(u"npm"_s)});
        ServicesTab tab(*rig.monitor);
        auto *selectAll = child<QPushButton>(*categoryHeader(tab, u"Developer Tools"_s), "selectAll");
        search(tab)->setText(u"git"_s);
        // the whole section is one change of the list: one save, one refill of the tab
        QSignalSpy changes(rig.monitor.get(), &StatusMonitor::servicesChanged);
        selectAll->click();
        QCOMPARE(changes.size(), 1);
        QCOMPARE(names(rig.saved()), words("npm GitHub GitLab Gitpod"));
        QCOMPARE(selectAll->text(), u"Deselect all"_s);

        selectAll->click();
        QCOMPARE(changes.size(), 2);
        QCOMPARE(names(rig.saved()), words("npm"));

        // without a search, one monitored entry leaves the others to be added
        search(tab)->setText(QString());
        selectAll->click();
        QCOMPARE(rig.saved().size(), ServiceCatalog::entries(u"Developer Tools"_s).size());
        QCOMPARE(rig.saved().first().name, u"npm"_s);
    }

    // A service of a provider this version lacks is shown with why it is not checked, and can
    // only be removed: nothing offered would rewrite its record.
    void unknownReaderIsShownReadOnly()
    {
        const Service lab = *Service::decode(QJsonDocument::fromJson(R"({"name": "Lab", "provider": "gatus2",
                                                                         "url": "https:\/\/lab.example"})")
                                                 .object())
                                 .service;
        SettingsRig rig({lab, makeService("Page")});
        ServicesTab tab(*rig.monitor);
        const QString reason = u"Unknown provider \u201cgatus2\u201d (needs a newer Glinter)"_s;
        for (ListedServiceRow *row : {customRows(tab).at(0), reorderRows(tab).at(0)}) {
            QCOMPARE(row->accessibleName(), u"Lab, "_s + reason);
            QVERIFY(child<ComponentsButton>(*row, "components")->isHidden());
            QVERIFY(muteButton(row)->isHidden());
        }
        QVERIFY(showsText(*customRows(tab).at(0), reason));
        QVERIFY(!muteButton(customRows(tab).at(1))->isHidden());

        child<RemoveButton>(*customRows(tab).at(0), "remove")->click();
        QTRY_COMPARE(names(rig.saved()), words("Page"));
    }

    // Screen readers list hidden buttons too: every button of a catalog entry says which
    // entry it acts on, whether the entry is watched or not.
    void catalogButtonsNameTheirEntry()
    {
        SettingsRig rig({});
        ServicesTab tab(*rig.monitor);
        rig.monitor->add(ServiceCatalog::newServices({catalogEntry(u"GitHub"_s)}));
        for (const CatalogEntry &entry : ServiceCatalog::all()) {
            const QList<QAbstractButton *> buttons = catalogRow(tab, entry.name)->findChildren<QAbstractButton *>();
            QVERIFY(buttons.size() >= 3);
            for (const QAbstractButton *button : buttons)
                QVERIFY2(button->accessibleName().contains(entry.name), qPrintable(button->accessibleName()));
        }
    }

    // services.json is written by hand and by agents: a name is shown as written, never as
    // markup, and so is a search for one.
    void markupInNamesStaysText()
    {
        const Service marked = makeService(markupName, "https://status.marked.test");
        SettingsRig rig({marked, catalogService(u"GitHub"_s)});
        ServicesTab tab(*rig.monitor);
        QCOMPARE(names(customRows(tab)), QStringList{markupName});
        QVERIFY(showsText(tab, markupName));
        auto *remove = child<RemoveButton>(*customRows(tab).at(0), "remove");
        QCOMPARE(remove->accessibleName(), u"Remove "_s + markupName);
        QTextDocument tooltip;
        tooltip.setHtml(remove->toolTip());
        QCOMPARE(tooltip.toPlainText(), u"Remove "_s + markupName);
        verifyNoMarkupRendered(tab);

        search(tab)->setText(u"<b>nothing</b>"_s);
        QVERIFY(shows(tab, "emptySearch"));
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
        auto *name = child<QLineEdit>(*form, "nameField");
        auto *address = child<QLineEdit>(*form, "addressField");
        search(*tab)->setText(u"git"_s);
        name->setText(u"Half"_s);
        address->setText(u"mailto:typed@acme.test"_s);
        QCoro::waitFor(form->add());
        QVERIFY(shownError(*form));
        name->setText(u"Half typed"_s);

        window.open();
        QCOMPARE(search(*tab)->text(), u"git"_s);
        QVERIFY(shownError(*form));

        window.close();
        window.open();
        QVERIFY(search(*tab)->text().isEmpty());
        QVERIFY(name->text().isEmpty());
        QVERIFY(address->text().isEmpty());
        QVERIFY(!shownError(*form));
        QVERIFY(child<QLabel>(*form, "messageLine")->text() != u"Invalid URL"_s);
    }

    // Symbols are drawn in the palette's colours when painted, so a theme switch reaches them.
    void glyphsFollowThePalette()
    {
        QPalette red = QGuiApplication::palette();
        red.setColor(QPalette::WindowText, Qt::red);
        red.setColor(QPalette::PlaceholderText, Qt::red);

        RemoveButton button(*SettingsRig().monitor);
        button.resize(button.sizeHint());
        const QImage before = button.grab().toImage();
        button.setPalette(red);
        QVERIFY(button.grab().toImage() != before);

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
        QCOMPARE(names(reorderRows(tab)), words("Stripe Linear"));
    }

    void altArrowsAndDragMoveARow()
    {
        SettingsRig rig({catalogService(u"GitHub"_s), catalogService(u"Stripe"_s), catalogService(u"Linear"_s)});
        ServicesTab tab(*rig.monitor);
        tab.resize(480, 900);
        tab.show();
        QVERIFY(QTest::qWaitForWindowExposed(&tab));
        ListedServiceRow *first = reorderRows(tab).at(0);
        first->setFocus();
        QTest::keyClick(first, Qt::Key_Down, Qt::AltModifier);
        QCOMPARE(names(rig.saved()), words("Stripe GitHub Linear"));
        ListedServiceRow *focused = reorderRows(tab).at(1);
        QTRY_VERIFY(focused->hasFocus());
        QTest::keyClick(focused, Qt::Key_Down, Qt::AltModifier);
        QTest::keyClick(reorderRows(tab).at(2), Qt::Key_Down, Qt::AltModifier); // already last
        QCOMPARE(names(rig.saved()), words("Stripe Linear GitHub"));
        QTest::keyClick(reorderRows(tab).at(2), Qt::Key_Up, Qt::AltModifier);
        QCOMPARE(names(rig.monitor->services()), words("Stripe GitHub Linear"));

        // the first row dragged onto the last
        ListedServiceRow *top = reorderRows(tab).at(0);
        ListedServiceRow *last = reorderRows(tab).at(2);
        QTest::mousePress(top, Qt::LeftButton, {}, QPoint(4, top->height() / 2));
        const QPoint over = top->mapFromGlobal(last->mapToGlobal(QPoint(4, last->height() / 2)));
        QMouseEvent move(QEvent::MouseMove, over, top->mapToGlobal(over), Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(top, &move);
        QTest::mouseRelease(top, Qt::LeftButton, {}, over);
        QCOMPARE(names(rig.saved()), words("GitHub Linear Stripe"));
    }

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
        QVERIFY(prompt.contains(u"reloads live on every save:\n\n    " + path + u"\n\n## Step 1 — "));
        QVERIFY(!prompt.contains(u"file://"_s));
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

QTEST_MAIN(TestServicesTab)
#include "tst_servicestab.moc"
