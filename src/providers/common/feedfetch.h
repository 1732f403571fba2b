#pragma once

#include "net/httpsession.h"
#include "providers/statusprovider.h"

#include <QFuture>
#include <qcoro/qcorofuture.h>
#include <qcoro/qcorotask.h>

#include <optional>
#include <type_traits>
#include <utility>

// The first steps of every provider: GET the feed, turn a refusal into the shared failure
// text, decode the body. A decode function takes the body and gives a Decoded<T>, or a
// QFuture of one when the decoding runs off the UI thread.
namespace FeedFetch {

template<class Result>
struct Unwrapped {
    using type = Result;
};
template<class Result>
struct Unwrapped<QFuture<Result>> {
    using type = Result;
};

// The Decoded<T> a decode function gives, directly or through a future.
template<class Decode>
using DecodedBy = typename Unwrapped<std::invoke_result_t<Decode &, const QByteArray &>>::type;

// A transport failure or a status outside 2xx as HttpResponse::failureText(), else the
// decoded body. For a decoding that is done at once.
template<class Decode>
DecodedBy<Decode> decodeResponse(const HttpResponse &response, Decode &&decode)
{
    if (!response.isSuccess())
        return DecodedBy<Decode>{std::nullopt, response.failureText()};
    return decode(response.body);
}

// One GET of `url`, then decodeResponse(). The session and the decode function are kept
// by the task, so the provider that asked may go away meanwhile.
template<class Decode>
QCoro::Task<DecodedBy<Decode>> fetchDecoded(HttpSession session, QUrl url, Decode decode, HttpHeaders headers = {})
{
    QCoro::Task<HttpResponse> getting = session.get(std::move(url), std::move(headers));
    const HttpResponse response = co_await getting;
    if (!response.isSuccess())
        co_return DecodedBy<Decode>{std::nullopt, response.failureText()};
    if constexpr (std::is_same_v<std::invoke_result_t<Decode &, const QByteArray &>, DecodedBy<Decode>>) {
        co_return decode(response.body);
    } else {
        auto decoding = decode(response.body);
        co_return co_await decoding;
    }
}

// fetchDecoded() of `url` with the value handed through `map`; `refusal` when there is no
// address to ask (the provider could not make one of the service's).
template<class Decode, class Map>
QCoro::Task<decltype(mapDecoded(std::declval<DecodedBy<Decode>>(), std::declval<Map>()))> fetchMapped(
    HttpSession session, std::optional<QUrl> url, QString refusal, Decode decode, Map map)
{
    using Mapped = decltype(mapDecoded(std::declval<DecodedBy<Decode>>(), std::declval<Map>()));
    if (!url)
        co_return Mapped{std::nullopt, std::move(refusal)};
    QCoro::Task<DecodedBy<Decode>> fetching = fetchDecoded(std::move(session), std::move(*url), std::move(decode));
    DecodedBy<Decode> decoded = co_await fetching;
    co_return mapDecoded(std::move(decoded), std::move(map));
}

// The body of an RSS or Atom feed as UTF-8 text, for the feeds that are scanned rather than
// parsed: "Decode error" when it is not valid UTF-8, "Unexpected format" when the text holds
// no whole feed (FeedScan::holdsWholeFeed()), so that an error page answered with 200, an
// empty body or a feed cut off in transit is a failed check and not a calm one.
Decoded<QString> feedText(const QByteArray &body);

} // namespace FeedFetch
