#include "platform/NestedWait.h"

#include "platform/QuitRequest.h"

namespace velmora {

NestedWait::NestedWait(int boundMs, QEventLoop::ProcessEventsFlags flags)
    : m_deadline(boundMs, Qt::PreciseTimer), m_flags(flags)
{
    m_bound.setSingleShot(true);
    m_bound.setTimerType(Qt::PreciseTimer);
    QObject::connect(&m_bound, &QTimer::timeout, &m_loop, &QEventLoop::quit);
    QObject::connect(&QuitRequest::instance(), &QuitRequest::raised, &m_loop, &QEventLoop::quit);
}

bool NestedWait::until(const std::function<bool()> &done)
{
    // Once the application was told to exit, a local loop returns at once:
    // the request, not the loop, ends the wait then.
    while (!done()) {
        if (quitRequested() || m_deadline.hasExpired())
            return false;
        m_bound.start(static_cast<int>(m_deadline.remainingTime()));
        m_loop.exec(m_flags);
    }
    return true;
}

bool NestedWait::pause()
{
    until([] { return false; });
    return !quitRequested();
}

} // namespace velmora
