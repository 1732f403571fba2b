#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringView>

#include <optional>

// Small text helpers shared by the providers whose feeds are scanned rather than parsed:
// the RSS feeds are read with plain substring search so that a malformed document still
// yields whatever items it does hold.
namespace FeedScan {

// The whole body as text, or nothing when it is not valid UTF-8 (a truncated sequence
// at the end counts as invalid).
std::optional<QString> strictUtf8(const QByteArray &body);

// Whether the text holds a whole feed: an RSS channel ("<channel>" up to "</channel>") or an
// Atom feed ("<feed>" up to "</feed>"), opening tags with or without attributes. A web page, an
// empty body and a document cut off before its end hold none; only then does a feed without
// items mean that nothing is wrong.
bool holdsWholeFeed(QStringView text);

// The bodies of the items: the text between each "<item" and the next "</item>", in
// order, or in an Atom feed (which has no items) between each "<entry" and "</entry>". An
// item without its closing tag ends the scan.
QList<QStringView> itemBodies(QStringView text);

// An item's text: RSS's description, or Atom's summary or else its content.
std::optional<QString> itemDescription(QStringView body);

// An item's link: RSS's link element, or the address of Atom's <link href="…"/>.
QString itemLink(QStringView body);

// When an item was published: RSS's pubDate, or Atom's published or else updated
// (RFC 3339), in UTC.
std::optional<QDateTime> itemDate(QStringView body);

// The content of the first element `name`: after "<name>" or, for an opening tag with
// attributes ("<name "), after that tag's closing bracket; up to "</name>". CDATA
// markers are removed and the result trimmed; an empty element gives an empty text.
std::optional<QString> elementText(QStringView name, QStringView text);

// Feed text that may be HTML (a description, escaped or in CDATA) as plain text: tags
// dropped, line breaks kept where paragraphs, breaks and list items end, character
// references decoded, blanks within a line collapsed and blank lines removed.
QString plainText(QStringView html);

// An RFC 822 date as RSS writes it ("Tue, 10 Jun 2025 14:05:00 GMT", "... GMT+02:00",
// "... Z"), in UTC; nothing unless the whole text is such a date.
std::optional<QDateTime> pubDate(QStringView text);

// " (+N more)" for a list of `count` entries of which one is shown, in the user's words;
// empty below two.
QString moreSuffix(qsizetype count);

} // namespace FeedScan
