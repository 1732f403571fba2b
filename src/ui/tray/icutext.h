#pragma once

#include <QLocale>
#include <QString>
#include <unicode/locid.h>
#include <unicode/unistr.h>

// ICU's text as Qt's: both are UTF-16, so the units are copied as they are.
inline QString fromUnicode(const icu::UnicodeString &text)
{
    return QString(reinterpret_cast<const QChar *>(text.getBuffer()), text.length());
}

// The locale of the texts around the times ICU writes: Qt's default, which the translation
// loaded at start sets (not the system's, which may speak a language Glinter does not). Qt's
// "C" is ICU's POSIX English.
inline icu::Locale icuLocale()
{
    const QLocale locale;
    if (locale.language() == QLocale::C)
        return icu::Locale("en_US_POSIX");
    return icu::Locale(locale.name().toLatin1().constData());
}
