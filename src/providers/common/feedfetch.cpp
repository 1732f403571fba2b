#include "providers/common/feedfetch.h"

#include "providers/common/feedscan.h"

#include <QCoreApplication>

namespace FeedFetch {

Decoded<QString> feedText(const QByteArray &body)
{
    std::optional<QString> text = FeedScan::strictUtf8(body);
    if (!text)
        return {std::nullopt, QCoreApplication::translate("FeedFetch", "Decode error")};
    if (!FeedScan::holdsWholeFeed(*text))
        return {std::nullopt, QCoreApplication::translate("FeedFetch", "Unexpected format")};
    return {std::move(text), {}};
}

} // namespace FeedFetch
