#pragma once

#include <QLocale>
#include <QString>
#include <QStringList>

// The languages Glinter speaks. Its source texts are English; every other language is a
// translation compiled into the program, and English has one of its own for its plural
// forms ("1 service", "2 services"). One language serves the whole program: Glinter's
// texts, Qt's own, and the default locale that dates and relative times are written in, so
// that a sentence and the time inside it never speak two languages.
namespace Translations {

// The languages shipped, as locale names ("de", "en", "pt_BR").
QStringList shipped();

struct Choice {
    // One of the shipped languages.
    QString translation;
    // The user's own locale when it speaks that language (its dates and times), otherwise
    // the language's.
    QLocale locale;
};

// The first of `preferred` (most wanted first, as QLocale::uiLanguages() lists LANGUAGE,
// LC_ALL, LC_MESSAGES and LANG) that a language in `available` serves: itself, its language
// without the region ("de" for "de-AT"), or failing both the same language of another region
// ("pt_BR" for "pt-PT"). English is always there; it is also what nothing else fits gets.
Choice choose(const QStringList &preferred, const QStringList &available = shipped());

// Makes `choice` the language of the running application, in place of any chosen before:
// Glinter's translation, Qt's own translation of its standard texts when the system has one,
// and the default locale. False when Glinter's translation could not be loaded.
bool install(const Choice &choice);

} // namespace Translations
