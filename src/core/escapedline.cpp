#include "core/escapedline.h"

#include <algorithm>

namespace {

bool isBidiControl(char32_t c)
{
    return c == 0x061c || c == 0x200e || c == 0x200f || (c >= 0x202a && c <= 0x202e) || (c >= 0x2066 && c <= 0x2069);
}

QString hex(char32_t c, int digits)
{
    return QString::number(uint(c), 16).rightJustified(digits, u'0');
}

// The visible form of one code point, or empty when it stands for itself.
QString escaped(char32_t c)
{
    switch (c) {
    case U'\n':
        return QStringLiteral("\\n");
    case U'\r':
        return QStringLiteral("\\r");
    case U'\t':
        return QStringLiteral("\\t");
    default:
        break;
    }
    if (c < 0x20 || c == 0x7f)
        return QStringLiteral("\\x") + hex(c, 2);
    if ((c >= 0x80 && c <= 0x9f) || c == 0x2028 || c == 0x2029 || isBidiControl(c))
        return QStringLiteral("\\u") + hex(c, 4);
    return {};
}

} // namespace

QString escapedLine(QStringView text, qsizetype maxLength)
{
    QString line;
    line.reserve(maxLength < 0 ? text.size() : std::min(text.size(), maxLength));
    // The length up to the last whole piece that leaves room for the ellipsis.
    qsizetype cut = 0;
    for (qsizetype i = 0; i < text.size();) {
        const bool pair = text.at(i).isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate();
        const qsizetype units = pair ? 2 : 1;
        const char32_t c = pair ? QChar::surrogateToUcs4(text.at(i), text.at(i + 1)) : text.at(i).unicode();
        const QString escape = escaped(c);
        const QStringView piece = escape.isEmpty() ? text.sliced(i, units) : QStringView(escape);
        if (maxLength >= 0 && line.size() + piece.size() > maxLength) {
            line.truncate(cut);
            return line + u'\u2026';
        }
        line += piece;
        if (line.size() < maxLength)
            cut = line.size();
        i += units;
    }
    return line;
}
