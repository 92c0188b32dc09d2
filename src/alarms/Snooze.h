#pragma once

#include <QString>
#include <QTime>

namespace velmora {

// The delays of "Riproponi fra...": the chosen one set, the others 0.
struct SnoozeCounts {
    int days = 0;
    int hours = 0;
    int minutes = 0;
};

// A date dd/mm/yyyy and a time hh.mm.
struct Moment {
    QString date;
    QString time;
};

// What the snooze takes: digits only and more than zero. A zero would store
// no time at all, and pasted text is no number.
bool isSnoozeCount(const QString &text);

// Days move the date and keep the time of day; hours and minutes keep the
// date and give now plus the delay, whole days dropped.
Moment snoozed(const Moment &deadline, const SnoozeCounts &counts, const QTime &now);

} // namespace velmora
