#include "core/translations.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QTranslator>

namespace Translations {

namespace {

// Where the build puts the compiled translations (glinter_<language>.qm) inside the program.
const QString &folder()
{
    static const QString path = QStringLiteral(":/glinter/translations");
    return path;
}

// The name of the translators installed here, so that the next choice replaces them.
const QString &installedName()
{
    static const QString name = QStringLiteral("glinter-translation");
    return name;
}

// How well a shipped language serves a wanted one: 0 not at all, 1 the same language of
// another region, 2 the language itself, 3 the same language and region.
int closeness(const QLocale &wanted, const QString &shippedName)
{
    const QLocale offered(shippedName);
    if (offered.language() != wanted.language())
        return 0;
    if (!shippedName.contains(u'_'))
        return 2;
    return offered.territory() == wanted.territory() ? 3 : 1;
}

void installTranslator(QTranslator *translator)
{
    translator->setObjectName(installedName());
    QCoreApplication::installTranslator(translator);
}

} // namespace

QStringList shipped()
{
    QStringList names;
    const QString prefix = QStringLiteral("glinter_");
    const QString suffix = QStringLiteral(".qm");
    const QStringList files = QDir(folder()).entryList({prefix + u'*' + suffix}, QDir::Files, QDir::Name);
    for (const QString &file : files)
        names.append(file.mid(prefix.size(), file.size() - prefix.size() - suffix.size()));
    return names;
}

Choice choose(const QStringList &preferred, const QStringList &available)
{
    for (const QString &name : preferred) {
        const QLocale wanted(name);
        // "C" and "POSIX" ask for no language in particular
        if (wanted.language() == QLocale::C)
            continue;
        if (wanted.language() == QLocale::English)
            return {QStringLiteral("en"), wanted};
        QString best;
        int bestCloseness = 0;
        for (const QString &offered : available) {
            if (const int value = closeness(wanted, offered); value > bestCloseness) {
                best = offered;
                bestCloseness = value;
            }
        }
        if (bestCloseness > 0)
            return {best, wanted};
    }
    return {QStringLiteral("en"), QLocale(QLocale::English, QLocale::UnitedStates)};
}

bool install(const Choice &choice)
{
    QCoreApplication *application = QCoreApplication::instance();
    if (!application)
        return false;
    const QList<QTranslator *> previous = application->findChildren<QTranslator *>(installedName(),
                                                                                   Qt::FindDirectChildrenOnly);
    for (QTranslator *translator : previous) {
        QCoreApplication::removeTranslator(translator);
        delete translator;
    }
    QLocale::setDefault(choice.locale);

    auto *own = new QTranslator(application);
    const bool loaded = own->load(QStringLiteral("glinter_") + choice.translation, folder());
    if (loaded)
        installTranslator(own);
    else
        delete own;

    // Qt's standard texts (a dialog's buttons, the command line's help) in the same language,
    // from the system's Qt when it has them; without them they stay English.
    const QLocale language(choice.translation);
    if (language.language() != QLocale::English) {
        auto *qt = new QTranslator(application);
        if (qt->load(language, QStringLiteral("qtbase"), QStringLiteral("_"),
                     QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
            installTranslator(qt);
        else
            delete qt;
    }
    return loaded;
}

} // namespace Translations
