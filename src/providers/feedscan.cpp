#include "providers/feedscan.h"

#include <QStringDecoder>

namespace FeedScan {

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
    static constexpr QStringView open = u"<item";
    static constexpr QStringView close = u"</item>";
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

QString moreSuffix(qsizetype count)
{
    if (count < 2)
        return {};
    return QStringLiteral(" (+") + QString::number(count - 1) + QStringLiteral(" more)");
}

} // namespace FeedScan
