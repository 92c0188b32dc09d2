#pragma once

#include "alarms/AlarmDeadline.h"
#include "alarms/Snooze.h"

#include <QString>

namespace velmora {

class Tdm;

// The statements of the alarm window's storing actions.
namespace alarm {

// Every column written back from the window's copy, marked seen.
QString markSeen(const AlarmDeadline &held);
// Every column written back with the new moment, unseen again.
QString snooze(const AlarmDeadline &held, const Moment &moment);
QString remove(const AlarmDeadline &held);

// The general list as mark seen leaves it: the address before the text.
QString generalListMailFirst(const Tdm &dm);

} // namespace alarm
} // namespace velmora
