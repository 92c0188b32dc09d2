#pragma once

#include <QDateTime>
#include <QObject>
#include <QTimer>

namespace velmora {

// Fires once for every minute of the clock, early in that minute. Each tick
// is scheduled from the clock anew, so a slow tick delays the next one but
// never loses it: a minute that went by meanwhile is still delivered.
class MinuteTimer : public QObject {
    Q_OBJECT
public:
    // Minutes missed for longer than this (a suspended computer) are not
    // delivered: the past deadlines are listed at the next start instead.
    static constexpr int catchUpMinutes = 10;

    explicit MinuteTimer(QObject *parent = nullptr);

    // The first minute delivered is the next one to begin.
    void start();
    // The first minute delivered is the one after the moment given (up to
    // which the caller has looked already); when that minute has begun
    // meanwhile, it comes at once.
    void start(const QDateTime &from);
    void stop();
    bool isActive() const { return m_timer.isActive(); }
    // The period, for whoever shows it: one minute.
    int interval() const { return 60000; }
    // Milliseconds from the clock's moment to just inside the next minute.
    static int delayToNextMinute(const QDateTime &now);

    // The timer's own tick: schedules the next, then delivers each minute
    // begun since the last one delivered. Tests call it with a set clock.
    void fire();

Q_SIGNALS:
    // The minute to scan: seconds and milliseconds zero.
    void minute(const QDateTime &minute);

private:
    void schedule();

    QTimer m_timer;
    QDateTime m_last;   // the last minute delivered
};

} // namespace velmora
