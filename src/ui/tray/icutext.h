#pragma once

#include <QString>
#include <unicode/unistr.h>

// ICU's text as Qt's: both are UTF-16, so the units are copied as they are.
inline QString fromUnicode(const icu::UnicodeString &text)
{
    return QString(reinterpret_cast<const QChar *>(text.getBuffer()), text.length());
}
