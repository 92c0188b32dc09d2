#include "alarms/Snooze.h"

#include "db/Statements.h"

#include <algorithm>

namespace velmora {

bool isSnoozeCount(const QString &text)
{
    const bool digits = !text.isEmpty()
                        && std::all_of(text.begin(), text.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
    return digits && text.toInt() > 0;
}

Moment snoozed(const Moment &deadline, const SnoozeCounts &counts, const QTime &now)
{
    QString time;
    if (counts.days != 0)
        time = deadline.time;
    else if (counts.hours != 0)
        time = sql::timeText(now.addSecs(counts.hours * 3600));
    else if (counts.minutes != 0)
        time = sql::timeText(now.addSecs(counts.minutes * 60));
    const QDate date = QDate::fromString(deadline.date, QStringLiteral("dd/MM/yyyy")).addDays(counts.days);
    return {sql::dateText(date), time};
}

} // namespace velmora
