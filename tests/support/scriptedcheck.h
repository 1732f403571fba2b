#pragma once

#include "core/service.h"
#include "core/servicestatusresult.h"

#include <QDateTime>
#include <QHash>
#include <QList>
#include <QUuid>
#include <qcoro/qcorotask.h>
#include <qcoro/qcorotimer.h>

#include <chrono>
#include <functional>
#include <memory>

// Stands in for the feed providers in monitor tests: each check of a service takes the next
// scripted indicator (the last one repeats; none scripted reads as operational), after an
// optional delay, and every call is recorded.
class ScriptedCheck
{
public:
    void script(const QUuid &id, QList<Indicator> indicators) { m_state->script.insert(id, std::move(indicators)); }
    void setDelay(std::chrono::milliseconds delay) { m_state->delay = delay; }

    QList<Service> calls() const { return m_state->calls; }
    int callCount(const QUuid &id) const
    {
        return int(std::count_if(m_state->calls.cbegin(), m_state->calls.cend(),
                                 [&](const Service &call) { return call.id == id; }));
    }

    // The function handed to the monitor; it shares this object's state.
    std::function<QCoro::Task<ServiceStatusResult>(Service)> function() const
    {
        return [state = m_state](Service service) { return run(state, std::move(service)); };
    }

private:
    struct State {
        QHash<QUuid, QList<Indicator>> script;
        std::chrono::milliseconds delay{0};
        QList<Service> calls;
    };

    static QCoro::Task<ServiceStatusResult> run(std::shared_ptr<State> state, Service service)
    {
        state->calls.append(service);
        if (state->delay.count() > 0)
            co_await QCoro::sleepFor(state->delay);
        Indicator indicator = Indicator::None;
        QList<Indicator> &queue = state->script[service.id];
        if (!queue.isEmpty())
            indicator = queue.size() > 1 ? queue.takeFirst() : queue.first();
        co_return ServiceStatusResult{service.id,   indicator, label(indicator), QDateTime::currentDateTimeUtc(),
                                      std::nullopt, false};
    }

    std::shared_ptr<State> m_state = std::make_shared<State>();
};
