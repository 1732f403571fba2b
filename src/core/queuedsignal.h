#pragma once

#include <QCoreApplication>
#include <QObject>

#include <coroutine>

// Awaits one emission of `signal` from `sender` and resumes the coroutine on a later turn of
// the event loop, never inside the emission itself.
//
// Awaiting a reply's or a timer's signal directly resumes the coroutine from inside that
// signal; a coroutine that then runs to its end destroys what its frame owns (the timer, the
// reply) while the object is still emitting, which is a use-after-free. Resuming from a posted
// call lets the emission finish first. The sender must outlive the wait: it is the context of
// the queued call, and a sender deleted before the call is delivered would leave the coroutine
// suspended for good.
template<typename Sender, typename Signal>
class QueuedSignal
{
public:
    QueuedSignal(Sender *sender, Signal signal)
        : m_sender(sender)
        , m_signal(signal)
    {
    }

    bool await_ready() const noexcept { return false; }

    void await_suspend(std::coroutine_handle<> waiting)
    {
        QObject::connect(
            m_sender, m_signal, m_sender, [waiting] { waiting.resume(); },
            Qt::ConnectionType(Qt::QueuedConnection | Qt::SingleShotConnection));
    }

    void await_resume() const noexcept { }

private:
    Sender *m_sender;
    Signal m_signal;
};

template<typename Sender, typename Signal>
QueuedSignal<Sender, Signal> queuedSignal(Sender *sender, Signal signal)
{
    return QueuedSignal<Sender, Signal>(sender, signal);
}

// Deletes a QObject on a later turn of the event loop: for objects that may still be inside
// one of their own signals when their owner lets go of them.
struct DeleteLater {
    void operator()(QObject *object) const
    {
        if (object)
            object->deleteLater();
    }
};
