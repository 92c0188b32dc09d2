#include "alarms/Scan.h"

#include "alarms/Fmsg.h"
#include "alarms/MailStep.h"
#include "db/Fdm.h"
#include "db/Statements.h"
#include "platform/Clock.h"

#include <QPlainTextEdit>

namespace velmora {

int dueRow(const fb::ResultSet &timer, const QDateTime &minute, const QString &key)
{
    const int date = timer.columnIndex(QStringLiteral("data"));
    const int time = timer.columnIndex(QStringLiteral("ora"));
    const int pc = timer.columnIndex(QStringLiteral("pc"));
    const QDate day = minute.date();
    const QString now = sql::timeText(minute.time());
    int kept = -1;
    for (int r = 0; r < timer.rowCount(); ++r) {
        if (timer.value(r, date).toDate() != day || timer.value(r, time).toString() != now)
            continue;
        const QString to = timer.value(r, pc).toString();
        if (to == QLatin1String("tutti") || (!key.isEmpty() && to == key))
            kept = r;
    }
    return kept;
}

DeadlineScan::DeadlineScan(Tdm &dm, QPlainTextEdit &statusmemo, PopupNotice &notice,
                           std::function<void(Tfrm_msg &)> opened)
    : m_dm(dm), m_statusmemo(statusmemo), m_notice(notice), m_opened(std::move(opened))
{
}

void DeadlineScan::tick(const QDateTime &minute)
{
    fb::ResultSet &timer = m_dm.t_sca_timer;
    try {
        m_dm.reopen(timer);
    } catch (const std::exception &) {
        return;   // the server is away: the next minute tries again
    }
    m_scanned = minute;
    const int row = dueRow(timer, minute, m_dm.pc);
    if (row < 0)
        return;
    timer.setRow(row);
    if (timer.value(QStringLiteral("letto")).toString() == QLatin1String("S"))
        return;
    const QString mail = timer.value(QStringLiteral("mail")).toString();
    // The window's copy is taken now: the mail notice lets other events run,
    // and one of them may reopen the list and move its current row.
    const AlarmDeadline due{QString::number(timer.value(QStringLiteral("id")).toLongLong()),
                            sql::dateText(timer.value(QStringLiteral("data")).toDate()),
                            timer.value(QStringLiteral("ora")).toString(),
                            timer.value(QStringLiteral("scadenza")).toString(),
                            timer.value(QStringLiteral("pc")).toString()};
    if (!mail.isEmpty()) {
        const QString failure = mailDeadline(m_dm, mail, due.text, m_notice);
        if (!failure.isEmpty())
            m_statusmemo.appendPlainText(failure);
    }
    const QString errors = m_statusmemo.toPlainText();
    m_statusmemo.clear();
    m_opened(*Tfrm_msg::openDeadline(m_dm, due, !mail.isEmpty(), errors));
}

QDateTime DeadlineScan::startupCheck()
{
    const QDateTime checked = now();
    m_dm.open(m_dm.t_sca, sql::pastUnseen(m_dm, checked));
    if (m_dm.t_sca.rowCount() > 0 && missedSinceScanned(m_dm.t_sca)) {
        // After a lost connection the new list takes the place of one still open.
        if (m_pastWindow)
            m_pastWindow->close();
        m_pastWindow = Tfrm_msg::openPast(m_dm, m_dm.t_sca);
        m_opened(*m_pastWindow);
    }
    m_dm.t_sca.close();
    m_scanned = QDateTime(checked.date(), QTime(checked.time().hour(), checked.time().minute()));
    return checked;
}

// At the first check every past deadline counts; after a lost connection,
// one whose minute came after the last minute scanned was missed meanwhile.
// The others were listed already: a window for them alone would come back
// with every reconnection.
bool DeadlineScan::missedSinceScanned(const fb::ResultSet &past) const
{
    if (!m_scanned.isValid())
        return true;
    const int date = past.columnIndex(QStringLiteral("data"));
    const int time = past.columnIndex(QStringLiteral("ora"));
    const QDate day = m_scanned.date();
    const QString minute = sql::timeText(m_scanned.time());
    for (int r = 0; r < past.rowCount(); ++r) {
        const QDate d = past.value(r, date).toDate();
        if (d > day || (d == day && past.value(r, time).toString() > minute))
            return true;
    }
    return false;
}

} // namespace velmora
