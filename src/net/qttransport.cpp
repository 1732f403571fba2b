#include "core/queuedsignal.h"
#include "net/httptransport.h"
#include "net/networkenvironment.h"

#include <QCoreApplication>
#include <QNetworkAccessManager>
#include <QNetworkRequest>
#include <QPointer>
#include <QSslCertificate>
#include <QSslConfiguration>
#include <QThread>
#include <QTimer>

#include <memory>
#include <mutex>

namespace {

// One access manager per thread, so that all sessions share a connection pool and TLS
// sessions instead of paying for a new pool and worker thread on every check.
struct ThreadManager {
    QPointer<QNetworkAccessManager> manager;
    int inFlight = 0;
    int served = 0;
};

ThreadManager &threadManager()
{
    thread_local ThreadManager state;
    return state;
}

// Counts a request as in flight on this thread for as long as it lives, also when the
// coroutine waiting for it is destroyed before the reply finishes.
class InFlight
{
public:
    InFlight() { ++threadManager().inFlight; }
    ~InFlight() { --threadManager().inFlight; }
    InFlight(const InFlight &) = delete;
    InFlight &operator=(const InFlight &) = delete;
};

// A manager keeps about 8 KB for every TLS connection it ever opened (Qt 6.4 with OpenSSL 3;
// feeds that answer "Connection: close" open one per check), so it is retired once it has
// served this many requests and none is in flight, and a fresh one takes over.
constexpr int requestsPerManager = 128;

// Runs on the main thread when the application is being destroyed. A manager deleted
// along with the application's children is too late for its network thread to close its
// connections, which are then leaked; deleted here, it shuts down cleanly.
void deleteMainThreadManager()
{
    delete threadManager().manager.data();
}

QNetworkAccessManager *accessManager()
{
    ThreadManager &state = threadManager();
    if (state.manager && state.inFlight == 0 && state.served >= requestsPerManager) {
        // Later, not now: a reply of this manager may still be on its way to deleteLater().
        state.manager->deleteLater();
        state.manager = nullptr;
    }
    if (!state.manager) {
        auto *created = new QNetworkAccessManager;
        QObject *app = QCoreApplication::instance();
        if (app && app->thread() == QThread::currentThread()) {
            created->setParent(app);
            static const bool registered = [] {
                qAddPostRoutine(deleteMainThreadManager);
                return true;
            }();
            Q_UNUSED(registered);
        } else {
            QObject::connect(QThread::currentThread(), &QThread::finished, created, &QObject::deleteLater);
        }
        state.manager = created;
        state.served = 0;
    }
    ++state.served;
    return state.manager;
}

// Whether an error on a reply that carries a status line only restates that status: Qt
// reports some answered statuses as errors of their own (400 and 418 as invalid operations,
// a 3xx without a usable Location as an unknown protocol, 4xx and 5xx as content and
// server errors). Anything else (a cut body, a reset, a time-out) is a transport failure.
bool isAnsweredStatus(QNetworkReply::NetworkError error)
{
    const int code = int(error);
    return (code >= 201 && code <= 299) || error == QNetworkReply::ProtocolUnknownError
           || error == QNetworkReply::ProtocolInvalidOperationError || (code >= 401 && code <= 499);
}

// Puts the authorities added to the environment into Qt's default configuration, once per
// addition. Adding to an empty list would switch off Qt's on-demand loading of the system's
// roots, so the system's roots are then put in explicitly (which costs every connection a
// copy of all of them); a list someone already set is kept and extended.
void trustExtraCertificates()
{
    static std::mutex mutex;
    static int applied = 0;
    const NetworkEnvironment::ExtraCertificates extra = NetworkEnvironment::extraCaCertificates();
    const std::lock_guard lock(mutex);
    if (extra.generation == applied)
        return;
    applied = extra.generation;
    QSslConfiguration configuration = QSslConfiguration::defaultConfiguration();
    QList<QSslCertificate> all = configuration.caCertificates();
    if (all.isEmpty())
        all = QSslConfiguration::systemCaCertificates();
    for (const QByteArray &der : extra.certificates) {
        const QSslCertificate certificate(der, QSsl::Der);
        if (!certificate.isNull() && !all.contains(certificate))
            all.append(certificate);
    }
    configuration.setCaCertificates(all);
    QSslConfiguration::setDefaultConfiguration(configuration);
}

} // namespace

namespace HttpTransport {

QCoro::Task<Raw> viaQt(Exchange exchange)
{
    trustExtraCertificates();
    QNetworkRequest request(exchange.url);
    request.setAttribute(QNetworkRequest::CacheLoadControlAttribute, QNetworkRequest::AlwaysNetwork);
    request.setAttribute(QNetworkRequest::CacheSaveControlAttribute, false);
    request.setAttribute(QNetworkRequest::CookieLoadControlAttribute, QNetworkRequest::Manual);
    request.setAttribute(QNetworkRequest::CookieSaveControlAttribute, QNetworkRequest::Manual);
    request.setAttribute(QNetworkRequest::AuthenticationReuseAttribute, QNetworkRequest::Manual);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::NoLessSafeRedirectPolicy);
    request.setTransferTimeout(int(exchange.limits.idle.count()));
    // The session asks for the encodings itself, which turns Qt's decompression off.
    for (const auto &[name, value] : exchange.headers)
        request.setRawHeader(name, value);

    QNetworkAccessManager *manager = accessManager();
    // Owned here, deleted by the event loop: this coroutine may end while the reply is still
    // in one of its own signals.
    const std::unique_ptr<QNetworkReply, DeleteLater> reply(
        exchange.verb == "GET" ? manager->get(request)
                               : manager->sendCustomRequest(request, exchange.verb, exchange.body));

    bool pastDeadline = false;
    bool tooLarge = false;
    QTimer deadline;
    deadline.setSingleShot(true);
    QObject::connect(&deadline, &QTimer::timeout, reply.get(), [&pastDeadline, raw = reply.get()] {
        pastDeadline = true;
        raw->abort();
    });
    QObject::connect(reply.get(), &QNetworkReply::downloadProgress, reply.get(),
                     [&tooLarge, raw = reply.get()](qint64 received, qint64) {
                         if (received > HttpSession::maxBodySize && !tooLarge) {
                             tooLarge = true;
                             raw->abort();
                         }
                     });
    deadline.start(exchange.limits.total);

    // Resumed on the next turn after finished(), not inside it: the deadline's abort() emits
    // finished() from within the timer's own timeout(), and the timer lives in this frame.
    {
        const InFlight counted;
        auto finished = queuedSignal(reply.get(), &QNetworkReply::finished);
        if (!reply->isFinished())
            co_await finished;
    }
    deadline.stop();

    // Nothing else aborts our replies: a cancellation that is not the deadline's is the
    // idle limit of setTransferTimeout().
    const QNetworkReply::NetworkError error = reply->error();
    const QVariant status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute);
    if (pastDeadline || error == QNetworkReply::TimeoutError
        || (error == QNetworkReply::OperationCanceledError && !tooLarge)) {
        // Qt drops every field of a head it cannot parse (too many or too long fields) and
        // then reads the body until the connection closes: a status line without a single
        // field that runs into a limit was a malformed answer, not a slow one.
        if (status.isValid() && reply->rawHeaderList().isEmpty())
            co_return Raw{failure(QNetworkReply::ProtocolFailure, malformedText())};
        co_return Raw{failure(QNetworkReply::TimeoutError, HttpSession::timedOutText())};
    }
    if (tooLarge)
        co_return Raw{failure(QNetworkReply::UnknownContentError, tooLargeText())};

    if (error != QNetworkReply::NoError && (!status.isValid() || !isAnsweredStatus(error)))
        co_return Raw{failure(error, reply->errorString())};

    co_return Raw{std::nullopt, status.isValid() ? status.toInt() : -1,
                  reply->rawHeader(QByteArrayLiteral("Content-Encoding")), reply->readAll()};
}

} // namespace HttpTransport
