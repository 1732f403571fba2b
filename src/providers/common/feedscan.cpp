#include "providers/common/feedscan.h"

#include <QCoreApplication>
#include <QStringDecoder>
#include <unicode/locid.h>
#include <unicode/smpdtfmt.h>
#include <unicode/timezone.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <memory>
#include <mutex>

namespace {

// One formatter for the process, made on first use. ICU formatters keep a calendar they
// change while parsing, so every parse holds the lock.
struct PubDateFormat {
    PubDateFormat()
    {
        UErrorCode status = U_ZERO_ERROR;
        auto made = std::make_unique<icu::SimpleDateFormat>(icu::UnicodeString(u"EEE, dd MMM yyyy HH:mm:ss zzz"),
                                                            icu::Locale("en_US_POSIX"), status);
        if (U_SUCCESS(status)) {
            made->adoptTimeZone(icu::TimeZone::createTimeZone(icu::UnicodeString(u"GMT")));
            format = std::move(made);
        }
    }

    std::mutex lock;
    std::unique_ptr<icu::SimpleDateFormat> format;
};

PubDateFormat &pubDateFormat()
{
    static PubDateFormat shared; // initialised once, thread-safely
    return shared;
}

// Where a block of text ends in HTML: the text after it starts a new line.
bool breaksLine(QStringView tag)
{
    static constexpr std::array<QStringView, 13> names{u"br", u"p",  u"div", u"li", u"ul", u"ol", u"tr",
                                                       u"h1", u"h2", u"h3",  u"h4", u"h5", u"h6"};
    return std::any_of(names.begin(), names.end(),
                       [tag](QStringView name) { return tag.compare(name, Qt::CaseInsensitive) == 0; });
}

// The text between the tags, with a line break where a block ends. In markup a line break
// of the source is a blank like any other; text without a single tag keeps its lines.
QString withoutTags(QStringView html)
{
    // Marks the breaks the tags make until the source's own are blanked.
    constexpr QChar blockEnd = QChar::ParagraphSeparator;
    QString text;
    text.reserve(html.size());
    bool markup = false;
    qsizetype at = 0;
    while (at < html.size()) {
        const QChar c = html.at(at);
        const qsizetype close = c == u'<' ? html.indexOf(u'>', at + 1) : -1;
        qsizetype nameStart = at + 1;
        if (nameStart < close && html.at(nameStart) == u'/')
            ++nameStart;
        qsizetype nameEnd = nameStart;
        while (nameEnd < close && html.at(nameEnd).isLetterOrNumber())
            ++nameEnd;
        // A "<" that opens no tag ("latency < 1 s") is text.
        if (close < 0 || nameEnd == nameStart) {
            text.append(c);
            ++at;
            continue;
        }
        markup = true;
        if (breaksLine(html.sliced(nameStart, nameEnd - nameStart)))
            text.append(blockEnd);
        at = close + 1;
    }
    if (markup) {
        text.replace(u'\n', u' ');
        text.replace(u'\r', u' ');
        text.replace(blockEnd, u'\n');
    }
    return text;
}

std::optional<char32_t> characterReference(QStringView name)
{
    if (name.startsWith(u'#')) {
        bool ok = false;
        const bool hex = name.size() > 1 && (name.at(1) == u'x' || name.at(1) == u'X');
        const uint code = hex ? name.sliced(2).toUInt(&ok, 16) : name.sliced(1).toUInt(&ok, 10);
        if (!ok || code == 0 || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
            return std::nullopt;
        return char32_t(code);
    }
    static const QList<std::pair<QStringView, char32_t>> named{{u"amp", U'&'},  {u"lt", U'<'},    {u"gt", U'>'},
                                                               {u"quot", U'"'}, {u"apos", U'\''}, {u"nbsp", U'\u00A0'}};
    for (const auto &[key, character] : named) {
        if (name == key)
            return character;
    }
    return std::nullopt;
}

// An unknown or unterminated reference stays as written.
QString decodeReferences(QStringView text)
{
    QString decoded;
    decoded.reserve(text.size());
    for (qsizetype at = 0; at < text.size(); ++at) {
        const qsizetype end = text.at(at) == u'&' ? text.indexOf(u';', at + 1) : -1;
        constexpr qsizetype longestName = 10;
        const std::optional<char32_t> character = end > at && end - at <= longestName
                                                      ? characterReference(text.sliced(at + 1, end - at - 1))
                                                      : std::nullopt;
        if (!character) {
            decoded.append(text.at(at));
            continue;
        }
        decoded.append(QString::fromUcs4(&*character, 1));
        at = end;
    }
    return decoded;
}

// Where the first opening tag of `name` starts, plain ("<name>") or with attributes ("<name "
// and any blank); -1 when there is none.
qsizetype openingTag(QStringView text, QStringView name)
{
    const QString start = u'<' + name.toString();
    for (qsizetype at = text.indexOf(start); at >= 0; at = text.indexOf(start, at + 1)) {
        const qsizetype after = at + start.size();
        if (after < text.size() && (text.at(after) == u'>' || text.at(after).isSpace()))
            return at;
    }
    return -1;
}

// An element `name` that opens and, after that, closes.
bool closedElement(QStringView text, QStringView name)
{
    const qsizetype open = openingTag(text, name);
    const QString closing = QStringLiteral("</") + name.toString() + u'>';
    return open >= 0 && text.indexOf(closing, open) >= 0;
}

} // namespace

namespace FeedScan {

bool holdsWholeFeed(QStringView text)
{
    return closedElement(text, u"channel") || closedElement(text, u"feed");
}

std::optional<QString> strictUtf8(const QByteArray &body)
{
    QStringDecoder decoder(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
    QString text = decoder.decode(body);
    if (decoder.hasError())
        return std::nullopt;
    return text;
}

QList<QStringView> itemBodies(QStringView text)
{
    // An Atom feed's entries are what RSS calls items; a feed never mixes the two.
    const bool atom = !text.contains(u"<item") && text.contains(u"<entry");
    const QStringView open = atom ? QStringView(u"<entry") : QStringView(u"<item");
    const QStringView close = atom ? QStringView(u"</entry>") : QStringView(u"</item>");
    QList<QStringView> bodies;
    qsizetype from = 0;
    while (true) {
        const qsizetype start = text.indexOf(open, from);
        if (start < 0)
            break;
        const qsizetype bodyStart = start + open.size();
        const qsizetype end = text.indexOf(close, bodyStart);
        if (end < 0)
            break;
        bodies.append(text.sliced(bodyStart, end - bodyStart));
        from = end + close.size();
    }
    return bodies;
}

std::optional<QString> itemDescription(QStringView body)
{
    for (const QStringView name : {QStringView(u"description"), QStringView(u"summary"), QStringView(u"content")}) {
        if (std::optional<QString> text = elementText(name, body))
            return text;
    }
    return std::nullopt;
}

QString itemLink(QStringView body)
{
    if (std::optional<QString> link = elementText(u"link", body); link && !link->isEmpty())
        return *link;
    // Atom's link is an empty element whose address is its href attribute.
    const qsizetype tag = body.indexOf(u"<link ");
    if (tag < 0)
        return {};
    const qsizetype end = body.indexOf(u'>', tag);
    const QStringView attributes = body.sliced(tag, (end < 0 ? body.size() : end) - tag);
    const qsizetype href = attributes.indexOf(u"href=");
    if (href < 0 || href + 6 > attributes.size())
        return {};
    const QChar quote = attributes.at(href + 5);
    if (quote != u'"' && quote != u'\'')
        return {};
    const qsizetype valueEnd = attributes.indexOf(quote, href + 6);
    if (valueEnd < 0)
        return {};
    return attributes.sliced(href + 6, valueEnd - href - 6).toString();
}

std::optional<QDateTime> itemDate(QStringView body)
{
    if (const std::optional<QString> published = elementText(u"pubDate", body))
        return pubDate(*published);
    for (const QStringView name : {QStringView(u"published"), QStringView(u"updated")}) {
        if (const std::optional<QString> text = elementText(name, body)) {
            QDateTime date = QDateTime::fromString(*text, Qt::ISODateWithMs);
            if (!date.isValid())
                date = QDateTime::fromString(*text, Qt::ISODate);
            if (date.isValid() && date.timeSpec() != Qt::LocalTime)
                return date.toUTC();
            return std::nullopt;
        }
    }
    return std::nullopt;
}

std::optional<QString> elementText(QStringView name, QStringView text)
{
    const QString plain = u'<' + name.toString() + u'>';
    qsizetype open = text.indexOf(plain);
    qsizetype contentStart = 0;
    if (open >= 0) {
        contentStart = open + plain.size();
    } else {
        const QString attributed = u'<' + name.toString() + u' ';
        open = text.indexOf(attributed);
        if (open < 0)
            return std::nullopt;
        contentStart = open + attributed.size();
    }
    const QString closing = QStringLiteral("</") + name.toString() + u'>';
    const qsizetype close = text.indexOf(closing, contentStart);
    if (close < 0)
        return std::nullopt;
    // An opening tag with attributes ends at its bracket; the attributes are not content.
    const qsizetype bracket = text.indexOf(u'>', open);
    if (bracket >= 0 && bracket < close)
        contentStart = std::max(contentStart, bracket + 1);

    QString content = text.sliced(contentStart, close - contentStart).toString();
    content.remove(QStringLiteral("<![CDATA["));
    content.remove(QStringLiteral("]]>"));
    return content.trimmed();
}

QString plainText(QStringView html)
{
    // An escaped description shows its markup only once its references are decoded.
    const QString source = !html.contains(u'<') && html.contains(u"&lt;") ? decodeReferences(html) : html.toString();
    const QStringList lines = decodeReferences(withoutTags(source)).split(u'\n');
    QStringList kept;
    for (const QString &line : lines) {
        QString simple = line.simplified();
        if (!simple.isEmpty())
            kept.append(std::move(simple));
    }
    return kept.join(u'\n');
}

std::optional<QDateTime> pubDate(QStringView text)
{
    PubDateFormat &shared = pubDateFormat();
    if (!shared.format || text.isEmpty() || text.size() > 256)
        return std::nullopt;
    // RFC 822's military "Z" for UTC, as the Azure feed writes it, is no zone to ICU.
    QString normalised = text.toString();
    if (normalised.endsWith(QStringLiteral(" Z"))) {
        normalised.chop(1);
        normalised += QStringLiteral("GMT");
    }
    const icu::UnicodeString input(reinterpret_cast<const UChar *>(normalised.utf16()), int32_t(normalised.size()));
    icu::ParsePosition position(0);
    UDate date = 0;
    {
        const std::lock_guard guard(shared.lock);
        date = shared.format->parse(input, position);
    }
    // The whole text must be a date, not just its beginning.
    if (position.getErrorIndex() >= 0 || position.getIndex() != input.length())
        return std::nullopt;
    // Lenient parsing accepts absurd years; keep to what a QDateTime holds safely.
    constexpr double limit = 1e15; // milliseconds, about 31,700 years
    if (!std::isfinite(date) || std::abs(date) > limit)
        return std::nullopt;
    return QDateTime::fromMSecsSinceEpoch(qint64(date), Qt::UTC);
}

QString moreSuffix(qsizetype count)
{
    if (count < 2)
        return {};
    const int more = int(count) - 1;
    return u' ' + QCoreApplication::translate("FeedScan", "(+%n more)", nullptr, more);
}

} // namespace FeedScan
