#pragma once

#include "net/socketpoller.h"

#include <QByteArray>
#include <QHash>
#include <QObject>
#include <QTimer>

#include <chrono>
#include <coroutine>
#include <curl/curl.h>
#include <deque>
#include <vector>

class CurlMulti;

// One exchange on the wire: an easy handle and its limits, started on this thread's multi
// handle. Whoever owns it awaits `ended()`; destroying it earlier takes it off the wire.
class CurlTransfer
{
public:
    using Clock = std::chrono::steady_clock;

    CurlTransfer();
    ~CurlTransfer();
    CurlTransfer(const CurlTransfer &) = delete;
    CurlTransfer &operator=(const CurlTransfer &) = delete;

    // A handle another transfer may have used, with the options it set: whoever sets up a
    // transfer sets every option any transfer of theirs sets.
    CURL *easy() const { return m_easy; }

    // Puts the transfer on the wire; it ends by itself (result()), past `deadline` or after
    // `idle` without a sign of life (timedOut()), whichever comes first. `origin` (scheme,
    // host and port) picks the TLS sessions it may resume.
    void start(const QByteArray &origin, Clock::time_point deadline, std::chrono::milliseconds idle);
    // Called by the transfer's callbacks whenever something arrives.
    void touch() { m_lastActivity = Clock::now(); }

    // Resumes the awaiting coroutine on a later turn of the event loop once the transfer ended.
    auto ended()
    {
        struct Awaiter {
            CurlTransfer *transfer;
            bool await_ready() const noexcept { return transfer->m_ended; }
            void await_suspend(std::coroutine_handle<> waiting) { transfer->m_waiting = waiting; }
            void await_resume() const noexcept { }
        };
        return Awaiter{this};
    }

    CURLcode result() const { return m_result; }
    bool timedOut() const { return m_timedOut; }

private:
    friend class CurlMulti;

    CURL *m_easy;
    CurlMulti *m_multi = nullptr; // while on the wire
    Clock::time_point m_deadline;
    Clock::time_point m_lastActivity;
    std::chrono::milliseconds m_idle{0};
    std::coroutine_handle<> m_waiting;
    CURLcode m_result = CURLE_OK;
    bool m_timedOut = false;
    bool m_ended = false;
    std::size_t m_slot = 0; // in CurlMulti::m_active, while on the wire
    bool m_queued = false; // in CurlMulti::m_ended
};

// libcurl's multi interface driven by this thread's event loop: the sockets libcurl watches
// in one SocketPoller, one timer for libcurl's time-outs and one for the transfers' limits.
// The multi handle keeps connections and DNS answers, and a share for each https origin keeps
// that origin's TLS sessions, for as long as the thread lives: every refresh after the first
// resumes its sessions (where servers issue tickets) instead of verifying certificates again.
class CurlMulti : public QObject
{
    Q_OBJECT

public:
    // This thread's; made on first use, destroyed with the thread (or the application).
    static CurlMulti &local();

    ~CurlMulti() override;

private:
    friend class CurlTransfer;
    struct Sessions {
        CURLSH *share = nullptr;
        quint64 used = 0;
    };

    CurlMulti();
    // An easy handle, perhaps one used before and still set up as it was; given back once its
    // transfer is done.
    CURL *takeHandle();
    void giveBack(CURL *easy);
    void releaseHandles();
    // The share holding the TLS sessions of `origin`.
    CURLSH *sessions(const QByteArray &origin);
    void add(CurlTransfer &transfer);
    void remove(CurlTransfer &transfer);
    // Takes ended transfers off the wire and schedules their waiters.
    void collect();
    void end(CurlTransfer &transfer);
    void resumeEnded();
    void act(curl_socket_t socket, int events);
    void checkLimits();
    void scheduleLimits();

    static int onSocket(CURL *easy, curl_socket_t socket, int what, void *multi, void *socketData);
    static int onTimer(CURLM *handle, long timeoutMs, void *multi);
    static int onClosing(void *multi, curl_socket_t socket);

    CURLM *m_handle;
    SocketPoller m_sockets;
    QHash<QByteArray, Sessions> m_sessions;
    quint64 m_uses = 0;
    QTimer m_curlTimer;
    QTimer m_limitTimer;
    CurlTransfer::Clock::time_point m_limitDue; // while m_limitTimer runs
    std::vector<CurlTransfer *> m_active;
    std::vector<CURL *> m_spareHandles;
    std::deque<CurlTransfer *> m_ended;
    bool m_resumeScheduled = false;
};
