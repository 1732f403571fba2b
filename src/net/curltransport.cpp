#include "net/contentdecoding.h"
#include "net/curlerrors.h"
#include "net/curlmulti.h"
#include "net/curltrust.h"
#include "net/httptransport.h"
#include "net/proxychoices.h"
#include "net/requesttarget.h"

#include <QLocale>

#include <algorithm>
#include <array>
#include <memory>
#include <vector>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#endif

namespace HttpTransport {

namespace {

using Clock = CurlTransfer::Clock;

// Qt's limits on a response head (QHttpHeaderParser): a head past them is not an answer.
constexpr int maxHeaderFields = 100;
constexpr qsizetype maxHeaderFieldSize = qsizetype(100) * 1024;
constexpr qsizetype maxHeadSize = qsizetype(256) * 1024;
// Qt's default number of redirects followed before giving up.
constexpr int maxRedirects = 50;

// A head-only exchange still reads a redirect's body, which is short, for libcurl to hand out
// the target; past this it gives up on the redirect.
constexpr qsizetype maxSkippedBody = qsizetype(64) * 1024;
// A head-only exchange also reads, and drops, a final body announced this short: it comes in
// the same flight of packets as the head (ten segments), and a connection whose answer was read
// to its end may carry the next request instead of a new one.
constexpr qsizetype firstFlight = qsizetype(14) * 1024;

bool isRedirect(long status)
{
    return status == 301 || status == 302 || status == 303 || status == 305 || status == 307 || status == 308;
}

// What the callbacks collect of one response.
struct Received {
    CurlTransfer *transfer = nullptr;
    // False: stop once the final head is in (Exchange::readsBody).
    bool readsBody = true;
    QByteArray contentEncoding;
    QByteArray body;
    int status = 0; // of the head being read
    qsizetype announced = -1; // the head's Content-Length, -1 when it has none
    bool chunked = false;
    // When the body is not read: the final head is in, and what of a body was skipped.
    bool finalHead = false;
    qsizetype skipped = 0;
    int fields = 0;
    qsizetype headSize = 0;
    bool malformedHead = false;
    bool tooLarge = false;
    // The transfer was ended on purpose after a head; libcurl reports that as a write error.
    bool stoppedAfterHead = false;
};

// The status code of a status line ("HTTP/1.1 200 OK", "HTTP/2 404"), 0 when unreadable.
int statusOf(QByteArrayView line)
{
    const qsizetype space = line.indexOf(' ');
    if (space < 0)
        return 0;
    const QByteArrayView rest = line.sliced(space + 1).trimmed();
    return rest.first(std::min<qsizetype>(3, rest.size())).toInt();
}

// Whether the body after a final head is short enough to read and drop (see firstFlight).
bool endsWithinFirstFlight(const Received &received)
{
    if (received.status == 204 || received.status == 304)
        return true;
    return !received.chunked && received.announced >= 0 && received.announced <= firstFlight;
}

size_t onHeader(char *data, size_t, size_t length, void *userdata)
{
    auto *received = static_cast<Received *>(userdata);
    received->transfer->touch();
    const QByteArrayView line(data, qsizetype(length));
    if (line.startsWith("HTTP/")) {
        // A new head: an interim answer or the next hop's.
        received->status = statusOf(line);
        received->fields = 0;
        received->headSize = 0;
        received->announced = -1;
        received->chunked = false;
        received->skipped = 0;
        received->contentEncoding.clear();
        return length;
    }
    // The blank line that ends a head; an interim answer (1xx) is followed by another, and a
    // redirect by the next hop's.
    if (!received->readsBody && line.trimmed().isEmpty() && received->status >= 200 && !isRedirect(received->status)) {
        received->finalHead = true;
        if (!endsWithinFirstFlight(*received)) {
            received->stoppedAfterHead = true;
            return 0;
        }
        return length;
    }
    received->headSize += line.size();
    const qsizetype colon = line.indexOf(':');
    if (colon > 0) {
        ++received->fields;
        const QByteArrayView name = line.first(colon).trimmed();
        const QByteArrayView value = line.sliced(colon + 1).trimmed();
        if (name.compare("content-encoding", Qt::CaseInsensitive) == 0) {
            received->contentEncoding = value.toByteArray();
        } else if (name.compare("content-length", Qt::CaseInsensitive) == 0) {
            bool ok = false;
            const qlonglong announced = value.toLongLong(&ok);
            received->announced = ok && announced >= 0 ? qsizetype(announced) : -1;
        } else if (name.compare("transfer-encoding", Qt::CaseInsensitive) == 0) {
            received->chunked = true;
        }
    }
    if (received->fields > maxHeaderFields || line.size() > maxHeaderFieldSize || received->headSize > maxHeadSize) {
        received->malformedHead = true;
        return 0;
    }
    return length;
}

size_t onBody(char *data, size_t, size_t length, void *userdata)
{
    auto *received = static_cast<Received *>(userdata);
    received->transfer->touch();
    if (!received->readsBody) {
        received->skipped += qsizetype(length);
        const qsizetype allowed = received->finalHead ? firstFlight : isRedirect(received->status) ? maxSkippedBody : 0;
        if (received->skipped > allowed) {
            received->stoppedAfterHead = true;
            return 0;
        }
        return length;
    }
    if (received->body.isEmpty()) {
        curl_off_t announced = -1;
        curl_easy_getinfo(received->transfer->easy(), CURLINFO_CONTENT_LENGTH_DOWNLOAD_T, &announced);
        if (announced > 0)
            received->body.reserve(qsizetype(std::min<curl_off_t>(announced, HttpSession::maxBodySize + 1)));
    }
    if (received->body.size() + qsizetype(length) > HttpSession::maxBodySize) {
        received->tooLarge = true;
        return 0;
    }
    received->body.append(data, qsizetype(length));
    return length;
}

// libcurl makes its sockets inheritable: a program Glinter starts (the browser that opens a
// status page) would hold the connections it kept open.
int onSocketMade(void *, curl_socket_t socket, curlsocktype)
{
#ifdef Q_OS_UNIX
    const int flags = ::fcntl(socket, F_GETFD);
    if (flags >= 0)
        ::fcntl(socket, F_SETFD, flags | FD_CLOEXEC);
#else
    Q_UNUSED(socket);
#endif
    return CURL_SOCKOPT_OK;
}

CURLcode onTlsContext(CURL *, void *context, void *)
{
    CurlTrust::useSharedStore(static_cast<SSL_CTX *>(context));
    return CURLE_OK;
}

// The Accept-Language Qt sends when the caller names none.
QByteArray acceptLanguage()
{
    static const QByteArray value = [] {
        const QString locale = QLocale::system().name().replace(u'_', u'-');
        if (locale == u"C")
            return QByteArrayLiteral("en,*");
        if (locale.startsWith(u"en-"))
            return (locale + u",*").toLatin1();
        return (locale + u",en,*").toLatin1();
    }();
    return value;
}

// The request's head as libcurl takes it: the caller's fields (the last of a name wins), ours
// and what Qt adds when they are missing, and none of libcurl's own defaults.
curl_slist *headFields(const HttpHeaders &headers, bool hasBody)
{
    std::vector<std::pair<QByteArray, QByteArray>> fields;
    for (const auto &header : headers) {
        const auto same = std::find_if(fields.begin(), fields.end(), [&](const auto &field) {
            return field.first.compare(header.first, Qt::CaseInsensitive) == 0;
        });
        if (same != fields.end())
            same->second = header.second;
        else
            fields.emplace_back(header.first, header.second);
    }
    const auto has = [&](QByteArrayView name) {
        return std::any_of(fields.cbegin(), fields.cend(),
                           [&](const auto &field) { return field.first.compare(name, Qt::CaseInsensitive) == 0; });
    };
    // Asking for the encodings ourselves keeps libcurl from decoding: we undo them with a
    // limit of our own (see ContentDecoding).
    if (!has("Accept-Encoding"))
        fields.emplace(fields.begin(), "Accept-Encoding", ContentDecoding::acceptedEncodings());
    if (!has("User-Agent"))
        fields.emplace_back("User-Agent", "Mozilla/5.0");
    if (!has("Accept-Language"))
        fields.emplace_back("Accept-Language", acceptLanguage());

    curl_slist *list = nullptr;
    for (const auto &[name, value] : fields) {
        // "Name;" is libcurl's way of sending a field with an empty value.
        const QByteArray line = value.isEmpty() ? QByteArray(name + ';') : QByteArray(name + ": " + value);
        list = curl_slist_append(list, line.constData());
    }
    // libcurl's defaults that Qt does not send; the last two only ever come with a body, and
    // every field in the list costs libcurl a comparison for each of its own.
    if (!has("Accept"))
        list = curl_slist_append(list, "Accept:");
    if (hasBody && !has("Expect"))
        list = curl_slist_append(list, "Expect:");
    if (hasBody && !has("Content-Type"))
        list = curl_slist_append(list, "Content-Type:");
    return list;
}

// Per thread, like the transfers that use them.
ProxyChoice proxyFor(const QUrl &url, const QByteArray &origin)
{
    thread_local ProxyChoices choices;
    return choices.forUrl(url, origin);
}

// The fields of the last few distinct heads, made once: nearly every exchange of a refresh
// sends one of a handful. Per thread, like the transfers that read them.
std::shared_ptr<const curl_slist> sharedFields(const HttpHeaders &headers, bool hasBody)
{
    struct Made {
        HttpHeaders headers;
        bool hasBody;
        std::shared_ptr<const curl_slist> list;
    };
    constexpr std::size_t kept = 8;
    thread_local std::vector<Made> made;
    const auto same = std::find_if(made.begin(), made.end(), [&](const Made &entry) {
        return entry.hasBody == hasBody && entry.headers == headers;
    });
    if (same != made.end()) {
        // The most recent first: the next lookup of the same head ends at once.
        std::rotate(made.begin(), same, same + 1);
        return made.front().list;
    }
    if (made.size() == kept)
        made.pop_back();
    std::shared_ptr<const curl_slist> list(headFields(headers, hasBody), [](const curl_slist *fields) {
        curl_slist_free_all(const_cast<curl_slist *>(fields));
    });
    made.insert(made.begin(), Made{headers, hasBody, list});
    return list;
}

// One request and its answer. Declared before the transfer, what libcurl reads and writes
// outlives its handle.
struct Attempt {
    std::array<char, CURL_ERROR_SIZE> errors{};
    Received received;
    std::shared_ptr<const curl_slist> fields;
    ProxyChoice proxy;
    CurlTransfer transfer;

    Attempt(const QUrl &url, const RequestTarget &target, const QByteArray &verb, const QByteArray &body,
            const HttpHeaders &headers, bool readsBody)
        : fields(sharedFields(headers, !body.isEmpty() || verb != "GET"))
        , proxy(proxyFor(url, target.origin))
    {
        CURL *easy = transfer.easy();
        received.transfer = &transfer;
        received.readsBody = readsBody;
        curl_easy_setopt(easy, CURLOPT_URL, target.encoded.constData());
        curl_easy_setopt(easy, CURLOPT_PROTOCOLS_STR, "http,https");
        curl_easy_setopt(easy, CURLOPT_NOSIGNAL, 1L);
        curl_easy_setopt(easy, CURLOPT_ERRORBUFFER, errors.data());
        // libcurl only reads the list.
        curl_easy_setopt(easy, CURLOPT_HTTPHEADER, const_cast<curl_slist *>(fields.get()));
        curl_easy_setopt(easy, CURLOPT_HEADERFUNCTION, &onHeader);
        curl_easy_setopt(easy, CURLOPT_HEADERDATA, &received);
        curl_easy_setopt(easy, CURLOPT_WRITEFUNCTION, &onBody);
        curl_easy_setopt(easy, CURLOPT_WRITEDATA, &received);
        curl_easy_setopt(easy, CURLOPT_SOCKOPTFUNCTION, &onSocketMade);
        // A proxy's answer to opening a tunnel is not the server's head.
        curl_easy_setopt(easy, CURLOPT_SUPPRESS_CONNECT_HEADERS, 1L);
        // Our own store of roots instead of libcurl's files (see CurlTrust).
        curl_easy_setopt(easy, CURLOPT_CAINFO, static_cast<char *>(nullptr));
        curl_easy_setopt(easy, CURLOPT_CAPATH, static_cast<char *>(nullptr));
        curl_easy_setopt(easy, CURLOPT_SSL_CTX_FUNCTION, &onTlsContext);
        curl_easy_setopt(easy, CURLOPT_PROXY, proxy.address.constData());
        // The choice above has weighed the exceptions already (no_proxy among them): libcurl is
        // not to go round the proxy on its own reading of them.
        curl_easy_setopt(easy, CURLOPT_NOPROXY, "");
        // The handle may come from another exchange (CurlTransfer::easy): what this one leaves
        // out is set back to libcurl's default.
        const bool namedToProxy = !proxy.user.isEmpty();
        curl_easy_setopt(easy, CURLOPT_PROXYUSERNAME, namedToProxy ? proxy.user.constData() : nullptr);
        curl_easy_setopt(easy, CURLOPT_PROXYPASSWORD, namedToProxy ? proxy.password.constData() : nullptr);
        curl_easy_setopt(easy, CURLOPT_MAXFILESIZE_LARGE, curl_off_t(readsBody ? HttpSession::maxBodySize : 0));
        if (verb != "GET" || !body.isEmpty()) {
            curl_easy_setopt(easy, CURLOPT_POSTFIELDSIZE_LARGE, curl_off_t(body.size()));
            curl_easy_setopt(easy, CURLOPT_COPYPOSTFIELDS, body.constData());
        } else {
            // Drops the copy of an earlier body; the GET below puts the verb back.
            curl_easy_setopt(easy, CURLOPT_POSTFIELDS, static_cast<char *>(nullptr));
            curl_easy_setopt(easy, CURLOPT_POSTFIELDSIZE_LARGE, curl_off_t(-1));
        }
        if (verb == "POST") {
            curl_easy_setopt(easy, CURLOPT_POST, 1L);
        } else if (verb == "GET" && body.isEmpty()) {
            curl_easy_setopt(easy, CURLOPT_HTTPGET, 1L);
        }
        curl_easy_setopt(easy, CURLOPT_CUSTOMREQUEST, verb == "POST" || verb == "GET" ? nullptr : verb.constData());
    }
    Attempt(const Attempt &) = delete;
    Attempt &operator=(const Attempt &) = delete;
};

} // namespace

QCoro::Task<Raw> transfer(Exchange exchange)
{
    const Clock::time_point deadline = Clock::now() + exchange.limits.total;
    QUrl url = std::move(exchange.url);
    QByteArray verb = std::move(exchange.verb);
    QByteArray body = std::move(exchange.body);
    for (int redirects = 0;; ++redirects) {
        const RequestTarget requested = RequestTarget::of(url);
        // Apart from the frame, which would otherwise pass the size the allocator keeps ready
        // for reuse and be placed and freed the slow way at every exchange.
        const auto attempt = std::make_unique<Attempt>(url, requested, verb, body, exchange.headers,
                                                       exchange.readsBody);
        attempt->transfer.start(requested.origin, deadline, exchange.limits.idle);
        auto ended = attempt->transfer.ended();
        co_await ended;

        Received &received = attempt->received;
        if (received.malformedHead)
            co_return Raw{failure(QNetworkReply::ProtocolFailure, malformedText())};
        // Once the final head is in, an exchange that does not read the body has its answer,
        // whatever becomes of the short body it reads on (a server may announce more than it
        // sends).
        const bool answeredByHead = !received.readsBody && received.finalHead;
        if (attempt->transfer.timedOut() && !answeredByHead)
            co_return Raw{failure(QNetworkReply::TimeoutError, HttpSession::timedOutText())};
        const CURLcode result = attempt->transfer.result();
        if (received.tooLarge || result == CURLE_FILESIZE_EXCEEDED)
            co_return Raw{failure(QNetworkReply::UnknownContentError, tooLargeText())};
        const bool stoppedOnPurpose = received.stoppedAfterHead && result == CURLE_WRITE_ERROR;
        if (result != CURLE_OK && !stoppedOnPurpose && !answeredByHead) {
            co_return Raw{CurlErrors::failure(result, attempt->transfer.easy(), attempt->errors.data(), url,
                                              !attempt->proxy.address.isEmpty())};
        }

        long status = 0;
        curl_easy_getinfo(attempt->transfer.easy(), CURLINFO_RESPONSE_CODE, &status);
        if (status == 407 && !attempt->proxy.address.isEmpty())
            co_return Raw{CurlErrors::proxyAuthenticationRequired()};
        const char *location = nullptr;
        curl_easy_getinfo(attempt->transfer.easy(), CURLINFO_REDIRECT_URL, &location);
        if (isRedirect(status) && location) {
            // As Qt follows them: only to http and https (any other target leaves the
            // answer as it is), never down from https, with the caller's fields, and as a GET
            // unless the status asks to repeat the request as it was.
            const QUrl target = QUrl::fromEncoded(location, QUrl::StrictMode);
            const bool web = target.isValid() && (target.scheme() == u"http" || target.scheme() == u"https");
            if (web) {
                if (redirects >= maxRedirects)
                    co_return Raw{CurlErrors::tooManyRedirects()};
                if (url.scheme() == u"https" && target.scheme() == u"http")
                    co_return Raw{CurlErrors::insecureRedirect()};
                if (status != 307 && status != 308) {
                    // The body goes, and the fields that described it with it.
                    verb = QByteArrayLiteral("GET");
                    body.clear();
                    exchange.headers.removeIf([](const auto &field) {
                        return field.first.compare("Content-Type", Qt::CaseInsensitive) == 0
                               || field.first.compare("Content-Length", Qt::CaseInsensitive) == 0;
                    });
                }
                url = target;
                continue;
            }
        }
        co_return Raw{std::nullopt, status > 0 ? int(status) : -1, std::move(received.contentEncoding),
                      std::move(received.body)};
    }
}

} // namespace HttpTransport
