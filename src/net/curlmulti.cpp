#include "net/curlmulti.h"

#include <QCoreApplication>
#include <QPointer>
#include <QThread>

#include <algorithm>
#include <mutex>

#ifndef Q_OS_WIN
#include <unistd.h>
#endif

namespace {

// More than the refresh keeps in flight, so that the connections of one refresh are still
// there for the next when servers keep them open, and few enough for a soft limit of 1,024
// open files.
constexpr long keptConnections = 256;

// Easy handles kept for the next transfers while the wire is busy: making one and cleaning it
// up again costs more than resetting it. A refresh keeps at most this many in flight.
constexpr std::size_t keptHandles = 256;

// Origins whose TLS sessions are kept (a few KB each); past that the least recently used go.
// libcurl's own shared session cache holds eight, far fewer than a refresh has hosts.
constexpr qsizetype keptOrigins = 1024;

QPointer<CurlMulti> &threadMulti()
{
    thread_local QPointer<CurlMulti> multi;
    return multi;
}

// Runs on the main thread while the application is being destroyed, while its event
// dispatcher still exists for the socket notifiers to leave.
void deleteMainThreadMulti()
{
    delete threadMulti().data();
}

} // namespace

CurlTransfer::CurlTransfer()
    : m_easy(CurlMulti::local().takeHandle())
{
    curl_easy_setopt(m_easy, CURLOPT_PRIVATE, this);
}

CurlTransfer::~CurlTransfer()
{
    if (m_multi) {
        m_multi->remove(*this);
    } else if (CurlMulti *multi = threadMulti().data(); multi && m_queued) {
        // Ended, but not yet resumed: nobody is left to resume.
        std::erase(multi->m_ended, this);
    }
    if (CurlMulti *multi = threadMulti().data())
        multi->giveBack(m_easy);
    else
        curl_easy_cleanup(m_easy);
}

void CurlTransfer::start(const QByteArray &origin, Clock::time_point deadline, std::chrono::milliseconds idle)
{
    CurlMulti &multi = CurlMulti::local();
    curl_easy_setopt(m_easy, CURLOPT_SHARE, multi.sessions(origin));
    // The connection keeps these for the socket it opens, past this transfer.
    curl_easy_setopt(m_easy, CURLOPT_CLOSESOCKETFUNCTION, &CurlMulti::onClosing);
    curl_easy_setopt(m_easy, CURLOPT_CLOSESOCKETDATA, &multi);
    m_deadline = deadline;
    m_idle = idle;
    m_lastActivity = Clock::now();
    m_ended = false;
    m_timedOut = false;
    m_result = CURLE_OK;
    multi.add(*this);
}

CurlMulti &CurlMulti::local()
{
    static std::once_flag initialized;
    std::call_once(initialized, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });

    QPointer<CurlMulti> &multi = threadMulti();
    if (!multi) {
        multi = new CurlMulti;
        QObject *app = QCoreApplication::instance();
        if (app && app->thread() == QThread::currentThread()) {
            static const bool registered = [] {
                qAddPostRoutine(deleteMainThreadMulti);
                return true;
            }();
            Q_UNUSED(registered);
        } else {
            connect(QThread::currentThread(), &QThread::finished, multi.data(), &QObject::deleteLater);
        }
    }
    return *multi;
}

CurlMulti::CurlMulti()
    : m_handle(curl_multi_init())
    , m_sockets([this](qintptr socket, int events) {
        act(curl_socket_t(socket), ((events & SocketPoller::Readable) ? CURL_CSELECT_IN : 0)
                                       | ((events & SocketPoller::Writable) ? CURL_CSELECT_OUT : 0)
                                       | ((events & SocketPoller::Failed) ? CURL_CSELECT_ERR : 0));
    })
{
    curl_multi_setopt(m_handle, CURLMOPT_SOCKETFUNCTION, &CurlMulti::onSocket);
    curl_multi_setopt(m_handle, CURLMOPT_SOCKETDATA, this);
    curl_multi_setopt(m_handle, CURLMOPT_TIMERFUNCTION, &CurlMulti::onTimer);
    curl_multi_setopt(m_handle, CURLMOPT_TIMERDATA, this);
    curl_multi_setopt(m_handle, CURLMOPT_MAXCONNECTS, keptConnections);

    m_curlTimer.setSingleShot(true);
    m_curlTimer.setTimerType(Qt::PreciseTimer);
    connect(&m_curlTimer, &QTimer::timeout, this, [this] { act(CURL_SOCKET_TIMEOUT, 0); });
    m_limitTimer.setSingleShot(true);
    connect(&m_limitTimer, &QTimer::timeout, this, &CurlMulti::checkLimits);
}

CurlMulti::~CurlMulti()
{
    // Transfers still on the wire are dropped; whoever awaits them is never resumed.
    for (CurlTransfer *transfer : std::vector(m_active))
        remove(*transfer);
    for (CurlTransfer *transfer : m_ended)
        transfer->m_queued = false;
    m_ended.clear();
    releaseHandles();
    curl_multi_cleanup(m_handle);
    for (const Sessions &kept : std::as_const(m_sessions))
        curl_share_cleanup(kept.share);
}

CURLSH *CurlMulti::sessions(const QByteArray &origin)
{
    if (!origin.startsWith("https:"))
        return nullptr;
    Sessions &kept = m_sessions[origin];
    kept.used = ++m_uses;
    if (!kept.share) {
        // Used by this thread alone: no locks.
        kept.share = curl_share_init();
        curl_share_setopt(kept.share, CURLSHOPT_SHARE, CURL_LOCK_DATA_SSL_SESSION);
    }
    if (m_sessions.size() > keptOrigins) {
        // A share still used by a transfer refuses to go; the next oldest goes instead.
        std::vector<std::pair<quint64, QByteArray>> byAge;
        for (auto it = m_sessions.cbegin(); it != m_sessions.cend(); ++it)
            byAge.emplace_back(it->used, it.key());
        std::sort(byAge.begin(), byAge.end());
        for (const auto &[used, name] : byAge) {
            if (curl_share_cleanup(m_sessions.value(name).share) == CURLSHE_OK) {
                m_sessions.remove(name);
                break;
            }
        }
    }
    return m_sessions.value(origin).share;
}

CURL *CurlMulti::takeHandle()
{
    if (m_spareHandles.empty())
        return curl_easy_init();
    CURL *easy = m_spareHandles.back();
    m_spareHandles.pop_back();
    return easy;
}

void CurlMulti::giveBack(CURL *easy)
{
    if (m_spareHandles.size() >= keptHandles) {
        curl_easy_cleanup(easy);
        return;
    }
    // Off its share first: a share some handle still holds cannot go.
    curl_easy_setopt(easy, CURLOPT_SHARE, static_cast<CURLSH *>(nullptr));
    // Not reset, which frees and makes again every default the next transfer sets anyway;
    // only what points into the ended transfer goes.
    curl_easy_setopt(easy, CURLOPT_PRIVATE, static_cast<void *>(nullptr));
    curl_easy_setopt(easy, CURLOPT_ERRORBUFFER, static_cast<char *>(nullptr));
    curl_easy_setopt(easy, CURLOPT_HTTPHEADER, static_cast<curl_slist *>(nullptr));
    curl_easy_setopt(easy, CURLOPT_HEADERDATA, static_cast<void *>(nullptr));
    curl_easy_setopt(easy, CURLOPT_WRITEDATA, static_cast<void *>(nullptr));
    m_spareHandles.push_back(easy);
}

void CurlMulti::releaseHandles()
{
    for (CURL *easy : m_spareHandles)
        curl_easy_cleanup(easy);
    m_spareHandles.clear();
}

void CurlMulti::add(CurlTransfer &transfer)
{
    transfer.m_multi = this;
    transfer.m_slot = m_active.size();
    m_active.push_back(&transfer);
    curl_multi_add_handle(m_handle, transfer.m_easy);
    // The timer wakes for the earliest limit; it need not move for one that comes later.
    if (!m_limitTimer.isActive()
        || std::min(transfer.m_deadline, transfer.m_lastActivity + transfer.m_idle) < m_limitDue)
        scheduleLimits();
}

void CurlMulti::remove(CurlTransfer &transfer)
{
    curl_multi_remove_handle(m_handle, transfer.m_easy);
    // The last takes its place: the order of the transfers on the wire means nothing.
    CurlTransfer *last = m_active.back();
    m_active.at(transfer.m_slot) = last;
    last->m_slot = transfer.m_slot;
    m_active.pop_back();
    transfer.m_multi = nullptr;
}

void CurlMulti::end(CurlTransfer &transfer)
{
    remove(transfer);
    transfer.m_ended = true;
    transfer.m_queued = true;
    m_ended.push_back(&transfer);
    if (!m_resumeScheduled) {
        m_resumeScheduled = true;
        QMetaObject::invokeMethod(this, &CurlMulti::resumeEnded, Qt::QueuedConnection);
    }
}

void CurlMulti::resumeEnded()
{
    m_resumeScheduled = false;
    // One at a time from the queue: a resumed coroutine may destroy transfers still in it.
    while (!m_ended.empty()) {
        CurlTransfer *transfer = m_ended.front();
        m_ended.pop_front();
        transfer->m_queued = false;
        const std::coroutine_handle<> waiting = std::exchange(transfer->m_waiting, {});
        if (waiting)
            waiting.resume();
    }
    // Nothing more followed: the spare handles, with their buffers, go until the next
    // transfers.
    if (m_active.empty())
        releaseHandles();
}

void CurlMulti::collect()
{
    int left = 0;
    while (CURLMsg *message = curl_multi_info_read(m_handle, &left)) {
        if (message->msg != CURLMSG_DONE)
            continue;
        const CURLcode result = message->data.result;
        CurlTransfer *transfer = nullptr;
        curl_easy_getinfo(message->easy_handle, CURLINFO_PRIVATE, &transfer);
        if (transfer) {
            transfer->m_result = result;
            end(*transfer);
        }
    }
}

void CurlMulti::act(curl_socket_t socket, int events)
{
    int running = 0;
    curl_multi_socket_action(m_handle, socket, events, &running);
    collect();
}

void CurlMulti::checkLimits()
{
    const auto now = CurlTransfer::Clock::now();
    for (CurlTransfer *transfer : std::vector(m_active)) {
        if (now >= transfer->m_deadline || now - transfer->m_lastActivity >= transfer->m_idle) {
            transfer->m_timedOut = true;
            end(*transfer);
        }
    }
    scheduleLimits();
}

void CurlMulti::scheduleLimits()
{
    if (m_active.empty()) {
        m_limitTimer.stop();
        return;
    }
    auto due = CurlTransfer::Clock::time_point::max();
    for (const CurlTransfer *transfer : m_active)
        due = std::min({due, transfer->m_deadline, transfer->m_lastActivity + transfer->m_idle});
    m_limitDue = due;
    const auto wait = std::chrono::ceil<std::chrono::milliseconds>(due - CurlTransfer::Clock::now());
    m_limitTimer.start(std::max(wait, std::chrono::milliseconds(0)));
}

int CurlMulti::onSocket(CURL *, curl_socket_t socket, int what, void *multi, void *)
{
    SocketPoller &sockets = static_cast<CurlMulti *>(multi)->m_sockets;
    if (what == CURL_POLL_REMOVE)
        sockets.forget(socket);
    else
        sockets.watch(socket, ((what & CURL_POLL_IN) ? SocketPoller::Readable : 0)
                                  | ((what & CURL_POLL_OUT) ? SocketPoller::Writable : 0));
    return 0;
}

int CurlMulti::onClosing(void *multi, curl_socket_t socket)
{
    // A socket let go of between exchanges stays in the poller's set; it must leave before
    // its number can come back.
    static_cast<CurlMulti *>(multi)->m_sockets.closing(socket);
#ifdef Q_OS_WIN
    return ::closesocket(socket);
#else
    return ::close(socket);
#endif
}

int CurlMulti::onTimer(CURLM *, long timeoutMs, void *multi)
{
    QTimer &timer = static_cast<CurlMulti *>(multi)->m_curlTimer;
    if (timeoutMs < 0) {
        timer.stop();
    } else if (timeoutMs > 0 || !timer.isActive() || timer.interval() > 0) {
        // libcurl asks for "at once" again as each transfer joins; one pending turn serves all,
        // and starting the timer again would only unregister and register it.
        timer.start(int(timeoutMs));
    }
    return 0;
}
