#pragma once

#include <QDate>
#include <QDateTime>
#include <QString>

namespace velmora {

class Tdm;

// The statements that several pages open or run, written once.
namespace sql {

// dd/mm/yyyy and hh.mm: how dates and times are shown, typed and stored.
QString dateText(const QDate &date);
QString timeText(const QTime &time);

// The general list: this workstation's deadlines and those for everyone.
QString generalList(const Tdm &dm);
// The deadlines of one day, for the calendar's day list.
QString dayList(const Tdm &dm, const QDate &day);
// Today's deadlines, as the page shows them when it opens.
QString todayList(const Tdm &dm, const QDate &today);
QString holidays();
QString settings();
QString users();
// The annual deadlines, by month and day.
QString annualDeadlines();
// The institution row.
QString institution();

// Deadlines not seen whose minute has come: before today, or today up to now.
QString pastUnseen(const Tdm &dm, const QDateTime &now);
// Marks the past deadlines of this workstation and of everyone as seen.
QString markPastSeen(const Tdm &dm, const QDateTime &now);

} // namespace sql
} // namespace velmora
