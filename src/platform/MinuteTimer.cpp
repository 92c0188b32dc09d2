#include "platform/MinuteTimer.h"

#include "platform/Clock.h"

namespace velmora {

namespace {

// Landing a little inside the minute keeps a timer that fires a few
// milliseconds early from seeing the minute before.
constexpr int insideMs = 50;

QDateTime minuteOf(const QDateTime &t)
{
    return QDateTime(t.date(), QTime(t.time().hour(), t.time().minute()));
}

} // namespace

MinuteTimer::MinuteTimer(QObject *parent) : QObject(parent)
{
    m_timer.setSingleShot(true);
    m_timer.setTimerType(Qt::PreciseTimer);
    connect(&m_timer, &QTimer::timeout, this, &MinuteTimer::fire);
}

int MinuteTimer::delayToNextMinute(const QDateTime &now)
{
    const QTime t = now.time();
    return 60000 - (t.second() * 1000 + t.msec()) + insideMs;
}

void MinuteTimer::start()
{
    start(now());
}

void MinuteTimer::start(const QDateTime &from)
{
    m_last = minuteOf(from);
    if (minuteOf(now()) > m_last)
        m_timer.start(0);
    else
        schedule();
}

void MinuteTimer::stop()
{
    m_timer.stop();
}

void MinuteTimer::schedule()
{
    m_timer.start(delayToNextMinute(now()));
}

void MinuteTimer::fire()
{
    const QDateTime current = minuteOf(now());
    // A clock stepped back a little (NTP) lands the tick just before its
    // minute, in the minute already delivered: nothing to deliver yet.
    // Set back further, or a gap too long to make up: start from this minute.
    if (!m_last.isValid() || m_last > current || m_last.secsTo(current) > catchUpMinutes * 60)
        m_last = current.addSecs(-60);
    // The next tick is set before any minute goes out: a slot that waits
    // inside the event loop (a sound, a box) does not hold up the minutes
    // after it, which come from a nested fire() and move m_last on; a slot
    // that stops the timer stops what is left of this round too.
    schedule();
    while (m_timer.isActive() && m_last < current) {
        m_last = m_last.addSecs(60);
        Q_EMIT minute(m_last);
    }
}

} // namespace velmora
