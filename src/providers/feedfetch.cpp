#include "providers/feedfetch.h"

#include "providers/feedscan.h"

#include <QCoreApplication>

namespace FeedFetch {

Decoded<QString> utf8Text(const QByteArray &body)
{
    std::optional<QString> text = FeedScan::strictUtf8(body);
    if (!text)
        return {std::nullopt, QCoreApplication::translate("FeedFetch", "Decode error")};
    return {std::move(text), {}};
}

} // namespace FeedFetch
