#include "monitor/statusmonitor.h"
#include "platform/null/nullurlopener.h"
#include "ui/settings/settingswindow.h"
#include "ui/tray/detailswindow.h"
#include "ui/tray/panelbuttons.h"
#include "ui/tray/panelwindow.h"

#include "contrastcheck.h"
#include "monitorrig.h"
#include "widgets.h"

#include <QAbstractButton>
#include <QAbstractScrollArea>
#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

QCoro::Task<ServiceStatusResult> withIncident(StatusMonitor::Check plain, Service service)
{
    QCoro::Task<ServiceStatusResult> checking = plain(std::move(service));
    ServiceStatusResult result = co_await checking;
    const QDateTime now = QDateTime::currentDateTimeUtc();
    result.incidents = {Incident{u"Elevated errors"_s, u"identified"_s, Indicator::Major, now.addSecs(-7200),
                                 now.addSecs(-600), u"We found the cause."_s, QUrl(u"https://acme.example/i/1"_s)}};
    co_return result;
}

// What lies behind a widget: the colour of the nearest widget that paints its background
// (a scroll area's viewport, a widget that fills itself, the window).
QColor backgroundOf(const QWidget &widget)
{
    for (const QWidget *at = &widget; at; at = at->parentWidget()) {
        const auto *area = qobject_cast<const QAbstractScrollArea *>(at->parentWidget());
        const bool viewport = area && area->viewport() == at;
        if (at->autoFillBackground() || viewport || at->isWindow())
            return at->palette().color(at->backgroundRole());
    }
    return widget.palette().color(QPalette::Window);
}

struct Finding {
    QString where;
    double ratio;
};

// Every shown, usable label and button with text under `root` whose text falls short of
// 4.5:1 against what lies behind it. Disabled controls are left out, as providers expect.
QList<Finding> faintText(const QWidget &root)
{
    QList<Finding> found;
    const auto check = [&found](const QWidget &widget, const QString &text, const QColor &ink, const QColor &ground) {
        const double reached = ContrastCheck::ratio(ink, ground);
        if (reached < ContrastCheck::text)
            found.append({QString::fromLatin1(widget.metaObject()->className()) + u" \""_s + text + u"\" "_s
                              + ink.name(QColor::HexArgb) + u" on "_s + ground.name(),
                          reached});
    };
    for (const QLabel *label : root.findChildren<QLabel *>()) {
        if (!label->isVisibleTo(&root) || !label->isEnabled() || label->text().isEmpty())
            continue;
        check(*label, label->text(), label->palette().color(label->foregroundRole()), backgroundOf(*label));
    }
    for (const QPushButton *button : root.findChildren<QPushButton *>()) {
        if (!button->isVisibleTo(&root) || !button->isEnabled() || button->text().isEmpty())
            continue;
        const QColor ground = button->isFlat() ? backgroundOf(*button) : button->palette().color(QPalette::Button);
        check(*button, button->text(), button->palette().color(QPalette::ButtonText), ground);
    }
    return found;
}

QString described(const QList<Finding> &findings)
{
    QStringList lines;
    for (const Finding &finding : findings)
        lines.append(finding.where + u": "_s + QString::number(finding.ratio, 'f', 2));
    return lines.join(u'\n');
}

// The panel with two services (one operational with an incident, one unknown), the details
// of the first and the settings window on each tab.
struct Windows : MonitorRig {
    NullUrlOpener opener;
    std::unique_ptr<PanelWindow> panel;
    std::unique_ptr<SettingsWindow> settings;

    explicit Windows(const QList<Service> &services)
        : MonitorRig(services, {.history = true})
    {
        check.script(services[1].id, {Indicator::Unknown});
        StatusMonitor::Setup setup(monitor->store());
        setup.history = history.get();
        setup.uptime = uptime.get();
        setup.watchFile = false;
        setup.autoRefresh = false;
        setup.check = [plain = check.function()](Service service) { return withIncident(plain, std::move(service)); };
        monitor = std::make_unique<StatusMonitor>(std::move(setup));
        panel = std::make_unique<PanelWindow>(*monitor, opener, PanelWindow::Mode::Popup);
        settings = std::make_unique<SettingsWindow>(*monitor);
    }

    DetailsWindow *details() const { return child<DetailsWindow>(*panel, "details"); }
};

} // namespace

// The text of the panel, the details and the settings window, as shown in a light and in a
// dark theme, and after a switch from one to the other while the windows are open.
class TestReadability : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void cleanup() { QApplication::setPalette(ContrastCheck::lightPalette()); }

    void everyTextReads_data()
    {
        QTest::addColumn<QPalette>("opened");
        QTest::addColumn<QPalette>("shown");
        const QPalette light = ContrastCheck::lightPalette();
        const QPalette dark = ContrastCheck::darkPalette();
        QTest::newRow("light") << light << light;
        QTest::newRow("dark") << dark << dark;
        QTest::newRow("deep accent") << ContrastCheck::deepAccentPalette() << ContrastCheck::deepAccentPalette();
        QTest::newRow("light, then dark") << light << dark;
        QTest::newRow("dark, then light") << dark << light;
    }

    void everyTextReads()
    {
        QFETCH(QPalette, opened);
        QFETCH(QPalette, shown);
        QApplication::setPalette(opened);
        Windows windows({makeService("Acme"), makeService("Dark")});
        windows.refresh();
        windows.panel->popUp(QRect(100, 0, 24, 24));
        QVERIFY(QTest::qWaitForWindowExposed(windows.panel.get()));
        auto *control = child<DetailsButton>(*windows.panel, "detailsButton", "accessibleName",
                                             QVariant(u"Details for Acme"_s));
        QTRY_VERIFY(!control->isHidden());
        control->click();
        QTRY_VERIFY(windows.details()->isVisible());
        windows.settings->open();
        QApplication::setPalette(shown);

        const auto *tabs = windows.settings->findChild<QTabWidget *>();
        QVERIFY(tabs);
        for (int tab = 0; tab < tabs->count(); ++tab) {
            windows.settings->setCurrentTab(tab == 0 ? SettingsWindow::Tab::Services : SettingsWindow::Tab::General);
            const QList<Finding> findings = faintText(*windows.settings);
            QVERIFY2(findings.isEmpty(), qPrintable(described(findings)));
        }
        for (const QWidget *window : QList<const QWidget *>{windows.panel.get(), windows.details()}) {
            const QList<Finding> findings = faintText(*window);
            QVERIFY2(findings.isEmpty(), qPrintable(described(findings)));
        }
    }
};

QTEST_MAIN(TestReadability)
#include "tst_readability.moc"
