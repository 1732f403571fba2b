// The languages Glinter ships: every text of the program translated in each, with its
// placeholders; the user's language chosen from the environment's list; plural forms and the
// times inside sentences in the language loaded; and the windows at their fixed widths with
// nothing cut off, in every language and in a pseudo-language 40 % longer than English.
#include "alerts/alertdecision.h"
#include "core/translations.h"
#include "platform/null/nullurlopener.h"
#include "ui/common/style.h"
#include "ui/settings/awsregionpicker.h"
#include "ui/settings/settingswindow.h"
#include "ui/tray/detailsmodel.h"
#include "ui/tray/detailswindow.h"
#include "ui/tray/onboardingwindow.h"
#include "ui/tray/panelmodel.h"
#include "ui/tray/panelwindow.h"

#include "monitorrig.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFontDatabase>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QSet>
#include <QStyleOptionComboBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTranslator>
#include <QXmlStreamReader>

#include <cmath>
#include <memory>

using namespace Qt::StringLiterals;

namespace {

// One message of a translation file (a .ts), as lupdate writes it.
struct Message {
    QString context;
    QString source;
    QString disambiguation;
    bool numerus = false;
    QString type; // "unfinished", "vanished", "obsolete" or empty when finished
    QStringList forms; // the translation, or its plural forms

    QString key() const { return context + u'\x1f' + source + u'\x1f' + disambiguation; }
    QString where() const { return context + u": " + source; }
};

QList<Message> readTs(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        qFatal("cannot read %s", qPrintable(path));
    QList<Message> messages;
    QString context;
    QXmlStreamReader xml(&file);
    while (xml.readNextStartElement()) {
        if (xml.name() == u"TS")
            continue;
        if (xml.name() != u"context") {
            xml.skipCurrentElement();
            continue;
        }
        while (xml.readNextStartElement()) {
            if (xml.name() == u"name") {
                context = xml.readElementText();
                continue;
            }
            if (xml.name() != u"message") {
                xml.skipCurrentElement();
                continue;
            }
            Message message{context};
            message.numerus = xml.attributes().value(QLatin1String("numerus")) == u"yes";
            while (xml.readNextStartElement()) {
                if (xml.name() == u"source") {
                    message.source = xml.readElementText();
                } else if (xml.name() == u"comment") {
                    message.disambiguation = xml.readElementText();
                } else if (xml.name() == u"translation") {
                    message.type = xml.attributes().value(QLatin1String("type")).toString();
                    if (!message.numerus) {
                        message.forms = {xml.readElementText()};
                        continue;
                    }
                    while (xml.readNextStartElement())
                        message.forms.append(xml.readElementText());
                } else {
                    xml.skipCurrentElement();
                }
            }
            messages.append(message);
        }
    }
    if (xml.hasError())
        qFatal("%s: %s", qPrintable(path), qPrintable(xml.errorString()));
    return messages;
}

// The placeholders of a text, sorted: "%1", "%2", "%n", "%L1"; "%%" is a plain "%".
QStringList placeholders(const QString &text)
{
    static const QRegularExpression pattern(u"%(%|L?[0-9]+|n)"_s);
    QStringList found;
    for (const QRegularExpressionMatch &match : pattern.globalMatch(text)) {
        if (match.captured(1) != u"%")
            found.append(match.captured(0));
    }
    found.sort();
    return found;
}

// Keyboard accelerators: "&File" has one; "&&" and "Data & Backend" have none.
qsizetype accelerators(const QString &text)
{
    static const QRegularExpression accelerator(u"&[^&\\s]"_s);
    return QString(text).remove(u"&&"_s).count(accelerator);
}

// Every text made 40 % longer, word by word, the way long compound words are: what fits
// only with English's lengths shows up. Placeholders and addresses stay as they are.
class PseudoTranslator : public QTranslator
{
public:
    bool isEmpty() const override { return false; }

    QString translate(const char *, const char *source, const char *, int) const override
    {
        QStringList words = QString::fromUtf8(source).split(u' ');
        for (QString &word : words) {
            if (word.contains(u'%') || word.contains(u"://") || !word.contains(QRegularExpression(u"\\w"_s)))
                continue;
            word += QString(qsizetype(std::ceil(0.4 * double(word.size()))), u'x');
        }
        return words.join(u' ');
    }
};

QString describe(const QWidget &widget, const QString &text)
{
    QString name = QString::fromLatin1(widget.metaObject()->className());
    if (!widget.objectName().isEmpty())
        name += u'#' + widget.objectName();
    return name + u" \u201c" + text + u'\u201d';
}

// What does not fit its place in `window`: labels whose one line (or, wrapping, whose
// longest word) is wider than the label, buttons and combo boxes narrower than their text,
// and any widget squeezed below the minimum width it asks for. Texts the widgets elide on
// purpose (names, descriptions from feeds) are not counted.
QStringList overflows(QWidget &window)
{
    QStringList found;
    QList<QWidget *> widgets = window.findChildren<QWidget *>();
    widgets.prepend(&window);
    for (QWidget *widget : std::as_const(widgets)) {
        if (widget != &window && !widget->isVisibleTo(&window))
            continue;
        const auto problem = [&](const QString &text, int needed, int available) {
            found.append(u"%1 needs %2 px, has %3"_s.arg(describe(*widget, text)).arg(needed).arg(available));
        };
        if (const QSize minimum = widget->minimumSizeHint(); minimum.isValid() && widget->width() < minimum.width())
            problem(u"(squeezed below its minimum)"_s, minimum.width(), widget->width());

        if (auto *label = qobject_cast<QLabel *>(widget); label && !qobject_cast<ElidedLabel *>(label)) {
            const int available = label->contentsRect().width() - 2 * label->margin();
            const QFontMetrics metrics(label->font());
            const QStringList pieces = label->wordWrap()
                                           ? label->text().split(QRegularExpression(u"\\s+"_s), Qt::SkipEmptyParts)
                                           : label->text().split(u'\n');
            for (const QString &piece : pieces) {
                if (const int needed = metrics.horizontalAdvance(piece); needed > available)
                    problem(piece, needed, available);
            }
        } else if (qobject_cast<QPushButton *>(widget) || qobject_cast<QCheckBox *>(widget)
                   || qobject_cast<QRadioButton *>(widget)) {
            const auto *button = static_cast<QAbstractButton *>(widget);
            if (!button->text().isEmpty() && button->width() < button->sizeHint().width())
                problem(button->text(), button->sizeHint().width(), button->width());
        } else if (auto *combo = qobject_cast<QComboBox *>(widget)) {
            QStyleOptionComboBox option;
            option.initFrom(combo);
            option.editable = combo->isEditable();
            option.frame = combo->hasFrame();
            const int available = combo->style()
                                      ->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField,
                                                       combo)
                                      .width()
                                  - 2;
            for (int i = 0; i < combo->count(); ++i) {
                if (const int needed = combo->fontMetrics().horizontalAdvance(combo->itemText(i)); needed > available)
                    problem(combo->itemText(i), needed, available);
            }
        }
    }
    return found;
}

// A monitor with a service in each state, an AWS one among them (for the regions' section).
struct Rig {
    MonitorRig monitor;
    QList<Service> services;

    Rig()
        : monitor(seed())
        , services(monitor.monitor->services())
    {
        const QList<Indicator> states{Indicator::None,     Indicator::Minor,   Indicator::Major,
                                      Indicator::Critical, Indicator::Unknown, Indicator::None};
        for (qsizetype i = 0; i < services.size(); ++i)
            monitor.check.script(services.at(i).id, {states.at(i)});
        monitor.refresh();
    }

    static QList<Service> seed()
    {
        return {makeService("GitHub"),   makeService("Stripe"),
                makeService("Slack"),    makeService("Cloudflare"),
                makeService("Intranet"), makeService("AWS", "https://health.aws.amazon.com", ProviderKind::Aws)};
    }
};

// Details with a story: an incident under way and two maintenance windows.
DetailsContent storyDetails(const Service &service)
{
    const QDateTime now = QDateTime::currentDateTimeUtc();
    ServiceStatusResult result{service.id, Indicator::Major, label(Indicator::Major), now};
    result.incidents = {Incident{u"Elevated error rates for API requests"_s, u"identified"_s, Indicator::Major,
                                 now.addSecs(-7200), now.addSecs(-600), u"We have identified the cause."_s,
                                 QUrl(u"https://status.example/incidents/1"_s)}};
    result.maintenances = {
        Maintenance{u"Database upgrade"_s, Maintenance::Status::InProgress, now.addSecs(-600), now.addSecs(3000), {}},
        Maintenance{
            u"Network work"_s, Maintenance::Status::Scheduled, now.addDays(3), now.addDays(3).addSecs(7200), {}}};
    UptimeRecord::Series series;
    for (int ago = 24 * 7; ago >= 0; --ago)
        series.add(ago == 30 ? Indicator::Major : Indicator::None, now.addSecs(qint64(-ago) * 3600), now);
    return detailsContent(service, result, series, {now});
}

QStringList shippedFiles()
{
    QStringList languages;
    const QStringList files =
        QDir(QStringLiteral(GLINTER_SOURCE_DIR "/translations")).entryList({u"glinter_*.ts"_s}, QDir::Files);
    for (const QString &file : files)
        languages.append(file.mid(8, file.size() - 8 - 3));
    return languages;
}

QString tsPath(const QString &language)
{
    return QStringLiteral(GLINTER_SOURCE_DIR "/translations/glinter_") + language + u".ts";
}

} // namespace

class TestTranslations : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    // Every text the program's sources hold now, as lupdate finds them.
    QList<Message> m_texts;

    void install(const QString &language)
    {
        QVERIFY2(Translations::install(Translations::choose({language})), qPrintable(language));
    }

private Q_SLOTS:
    void initTestCase()
    {
        // One font, whatever the machine has: widths measured here are the same everywhere.
        for (const char *face : {"DejaVuSans.ttf", "DejaVuSans-Bold.ttf"}) {
            const QString path = u"/usr/share/fonts/truetype/dejavu/"_s + QString::fromLatin1(face);
            QVERIFY2(QFontDatabase::addApplicationFont(path) >= 0,
                     qPrintable(path + u" is missing: scripts/install-deps.sh installs fonts-dejavu-core"_s));
        }
        QApplication::setFont(QFont(u"DejaVu Sans"_s, 10));

        QProcess lupdate;
        const QString texts = m_dir.filePath(u"texts.ts"_s);
        lupdate.start(QStringLiteral(GLINTER_LUPDATE), {u"-silent"_s, u"-locations"_s, u"none"_s, u"-no-obsolete"_s,
                                                        QStringLiteral(GLINTER_SOURCE_DIR "/src"), u"-ts"_s, texts});
        QVERIFY2(lupdate.waitForFinished(150000), "lupdate did not finish");
        QCOMPARE(lupdate.exitCode(), 0);
        m_texts = readTs(texts);
        QVERIFY(m_texts.size() > 100);
    }

    void cleanup() { Translations::install(Translations::choose({u"en"_s})); }

    // What the program carries is what translations/ holds, and each loads.
    void everyLanguageFileIsShipped()
    {
        QStringList files = shippedFiles();
        QStringList shipped = Translations::shipped();
        files.sort();
        shipped.sort();
        QCOMPARE(shipped, files);
        for (const QString &language : std::as_const(shipped))
            QVERIFY2(Translations::install({language, QLocale(language)}), qPrintable(language));
    }

    // Each language has every text of the sources, finished, with nothing left over from texts
    // that are gone; English has every plural text. A new or changed text fails here, named,
    // until `make translations` and a translator have been through it.
    void everyTextIsTranslated_data()
    {
        QTest::addColumn<QString>("language");
        for (const QString &language : shippedFiles())
            QTest::newRow(qPrintable(language)) << language;
    }

    void everyTextIsTranslated()
    {
        QFETCH(QString, language);
        const bool pluralsOnly = language == u"en";
        QSet<QString> inSources;
        for (const Message &text : std::as_const(m_texts))
            inSources.insert(text.key());
        QHash<QString, Message> translated;
        QStringList problems;
        for (const Message &message : readTs(tsPath(language))) {
            translated.insert(message.key(), message);
            if (message.type == u"vanished" || message.type == u"obsolete" || !inSources.contains(message.key()))
                problems.append(u"no longer in the sources: "_s + message.where());
        }
        for (const Message &text : std::as_const(m_texts)) {
            if (pluralsOnly && !text.numerus)
                continue;
            const auto found = translated.constFind(text.key());
            if (found == translated.cend())
                problems.append(u"missing (run make translations): "_s + text.where());
            else if (found->type == u"unfinished" || found->forms.isEmpty() || found->forms.contains(QString()))
                problems.append(u"untranslated: "_s + text.where());
        }
        for (const QString &problem : std::as_const(problems))
            qWarning("glinter_%s.ts: %s", qPrintable(language), qPrintable(problem));
        QVERIFY2(problems.isEmpty(), qPrintable(u"%1 texts to translate, listed above"_s.arg(problems.size())));
    }

    // A translation keeps its source's placeholders (in every plural form) and accelerators.
    void placeholdersArePreserved_data() { everyTextIsTranslated_data(); }

    void placeholdersArePreserved()
    {
        QFETCH(QString, language);
        QStringList problems;
        for (const Message &message : readTs(tsPath(language))) {
            for (const QString &form : message.forms) {
                if (form.isEmpty())
                    continue;
                if (placeholders(form) != placeholders(message.source))
                    problems.append(u"%1 \u2192 %2"_s.arg(message.where(), form));
                if (accelerators(form) != accelerators(message.source))
                    problems.append(u"accelerator: %1 \u2192 %2"_s.arg(message.where(), form));
            }
        }
        for (const QString &problem : std::as_const(problems))
            qWarning("glinter_%s.ts: %s", qPrintable(language), qPrintable(problem));
        QVERIFY2(problems.isEmpty(), qPrintable(u"%1 placeholders changed, listed above"_s.arg(problems.size())));
    }

    // The languages the user lists (LANGUAGE, LC_ALL, LC_MESSAGES, LANG, as Qt reads them),
    // most wanted first, against the languages shipped.
    void choosesTheUsersLanguage_data()
    {
        QTest::addColumn<QStringList>("preferred");
        QTest::addColumn<QString>("translation");
        QTest::addColumn<QString>("locale");
        QTest::newRow("German") << QStringList{u"de-DE"_s, u"de-Latn-DE"_s, u"de"_s} << u"de"_s << u"de_DE"_s;
        QTest::newRow("Austrian: German, Austrian dates")
            << QStringList{u"de-AT"_s, u"de-Latn-AT"_s} << u"de"_s << u"de_AT"_s;
        QTest::newRow("Brazilian") << QStringList{u"pt-BR"_s} << u"pt_BR"_s << u"pt_BR"_s;
        QTest::newRow("European Portuguese: the other Portuguese")
            << QStringList{u"pt-PT"_s, u"pt-Latn-PT"_s} << u"pt_BR"_s << u"pt_PT"_s;
        QTest::newRow("Canadian French") << QStringList{u"fr-CA"_s} << u"fr"_s << u"fr_CA"_s;
        QTest::newRow("LANGUAGE=ja:es, Japanese not shipped") << QStringList{u"ja"_s, u"es"_s} << u"es"_s << u"es_ES"_s;
        QTest::newRow("British English before German") << QStringList{u"en-GB"_s, u"de"_s} << u"en"_s << u"en_GB"_s;
        QTest::newRow("Japanese alone: English") << QStringList{u"ja-JP"_s, u"ja"_s} << u"en"_s << u"en_US"_s;
        QTest::newRow("the C locale: English") << QStringList{u"C"_s} << u"en"_s << u"en_US"_s;
        QTest::newRow("nothing said: English") << QStringList() << u"en"_s << u"en_US"_s;
    }

    void choosesTheUsersLanguage()
    {
        QFETCH(QStringList, preferred);
        QFETCH(QString, translation);
        QFETCH(QString, locale);
        const Translations::Choice choice = Translations::choose(preferred,
                                                                 {u"de"_s, u"en"_s, u"es"_s, u"fr"_s, u"pt_BR"_s});
        QCOMPARE(choice.translation, translation);
        QCOMPARE(choice.locale.name(), locale);
    }

    // Texts made in code, counted and timed, in the language loaded: English's plurals as
    // English has always said them, the others' own, and ICU's times in the same language as
    // the sentence around them, never in the system's (these tests run in the C locale).
    void humanTextsSpeakTheLanguageLoaded_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("expected");
        const auto row = [](const char *name, const char *language, const char *text, const char *expected) {
            QTest::newRow(name) << QString::fromLatin1(language) << QString::fromLatin1(text)
                                << QString::fromUtf8(expected);
        };
        row("one service", "en", "services 1", "1 service");
        row("two services", "en", "services 2", "2 services");
        row("the only service", "en", "glance 1", "The 1 service is operational");
        row("all services", "en", "glance 3", "All 3 services operational");
        row("one component", "en", "components 1", "Watching 1 component");
        row("one minute", "en", "refresh 1", "1 minute");
        row("updated, English", "en", "updated 120", "Updated 2 minutes ago");
        row("Japanese gets English", "ja", "updated 120", "Updated 2 minutes ago");
        row("ein Dienst", "de", "services 1", "1 Dienst");
        row("zwei Dienste", "de", "services 2", "2 Dienste");
        row("aktualisiert", "de", "updated 120", "Aktualisiert vor 2 Minuten");
        row("gerade eben", "de", "updated 0", "Gerade aktualisiert");
        row("mis à jour", "fr", "updated 7200", "Mis à jour il y a 2 heures");
        row("actualizado", "es", "updated 120", "Actualizado hace 2 minutos");
        row("atualizado", "pt_BR", "updated 120", "Atualizado há 2 minutos");
        row("notification", "de", "alert", "GitHub: Teilweiser Ausfall");
        row("recovery", "fr", "recovery", "GitHub rétabli");
    }

    void humanTextsSpeakTheLanguageLoaded()
    {
        QFETCH(QString, language);
        QFETCH(QString, text);
        QFETCH(QString, expected);
        install(language);
        const QString kind = text.section(u' ', 0, 0);
        const int number = text.section(u' ', 1).toInt();
        const QDateTime now = QDateTime::currentDateTimeUtc();
        QString made;
        if (kind == u"services")
            made = QCoreApplication::translate("Headless", "%n service(s)", nullptr, number);
        else if (kind == u"glance")
            made = QCoreApplication::translate("TrayMenu", "All %n services operational", nullptr, number);
        else if (kind == u"components")
            made = QCoreApplication::translate("ComponentsButton", "Watching %n component(s)", nullptr, number);
        else if (kind == u"refresh")
            made = QCoreApplication::translate("GeneralTab", "%n minute(s)", nullptr, number);
        else if (kind == u"updated")
            made = updatedText(now.addSecs(-number), now);
        else if (kind == u"alert")
            made = decideAlert(u"GitHub"_s, Indicator::None, Indicator::Major, {}, {})->title;
        else if (kind == u"recovery")
            made = decideAlert(u"GitHub"_s, Indicator::Major, Indicator::None, {}, {})->title;
        QCOMPARE(made, expected);
    }

    // The panel, the details, both tabs of the settings, the first-run window and the regions'
    // picker at their fixed widths, in the program's font: no text of the language cut off.
    void nothingIsCutOff_data()
    {
        QTest::addColumn<QString>("language"); // empty: the pseudo-language
        for (const QString &language : shippedFiles())
            QTest::newRow(qPrintable(language)) << language;
        QTest::newRow("40 % longer") << QString();
    }

    void nothingIsCutOff()
    {
        QFETCH(QString, language);
        std::unique_ptr<PseudoTranslator> pseudo;
        if (language.isEmpty()) {
            pseudo = std::make_unique<PseudoTranslator>();
            QCoreApplication::installTranslator(pseudo.get());
        } else {
            install(language);
        }

        Rig rig;
        NullUrlOpener opener;
        QStringList problems;
        const auto check = [&problems](QWidget &window, const char *name) {
            window.show();
            QVERIFY(QTest::qWaitForWindowExposed(&window));
            for (const QString &problem : overflows(window))
                problems.append(QString::fromLatin1(name) + u": " + problem);
        };

        PanelWindow panel(*rig.monitor.monitor, opener, PanelWindow::Mode::Window);
        check(panel, "panel");
        DetailsWindow details;
        details.setContent(storyDetails(rig.services.first()));
        check(details, "details");
        SettingsWindow settings(*rig.monitor.monitor, SettingsWindow::Tab::Services);
        check(settings, "settings, services");
        settings.setCurrentTab(SettingsWindow::Tab::General);
        check(settings, "settings, general");
        AWSRegionPicker regions(rig.monitor.monitor->settings());
        check(regions, "regions");
        OnboardingWindow onboarding;
        check(onboarding, "first run");

        if (pseudo)
            QCoreApplication::removeTranslator(pseudo.get());
        for (const QString &problem : std::as_const(problems))
            qWarning("%s", qPrintable(problem));
        QVERIFY2(problems.isEmpty(), qPrintable(u"%1 texts cut off, listed above"_s.arg(problems.size())));
    }
};

QTEST_MAIN(TestTranslations)
#include "tst_translations.moc"
