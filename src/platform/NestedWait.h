#pragma once

#include <QDeadlineTimer>
#include <QEventLoop>
#include <QTimer>

#include <functional>

namespace velmora {

// A wait inside an event, in a local event loop, with a bound: it ends when
// its condition holds, when the bound runs out, or when the program is asked
// to end. Signals given to wakeOn() make it look at the condition again.
class NestedWait {
public:
    explicit NestedWait(int boundMs, QEventLoop::ProcessEventsFlags flags = QEventLoop::AllEvents);
    NestedWait(const NestedWait &) = delete;
    NestedWait &operator=(const NestedWait &) = delete;

    template <class Sender, class Signal>
    void wakeOn(const Sender *sender, Signal signal)
    {
        QObject::connect(sender, signal, &m_loop, &QEventLoop::quit);
    }

    // Makes the wait look at its condition again.
    void wake() { m_loop.quit(); }

    // True when done() held; false when the bound ran out or the program is ending.
    bool until(const std::function<bool()> &done);
    // Waits out the whole bound, unless the program is ending (false then).
    bool pause();

private:
    QEventLoop m_loop;
    QTimer m_bound;
    QDeadlineTimer m_deadline;
    QEventLoop::ProcessEventsFlags m_flags;
};

} // namespace velmora
