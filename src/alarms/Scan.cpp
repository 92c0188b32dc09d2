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
    const int row = dueRow(timer, minute, m_dm.pc);
    if (row < 0)
        return;
    timer.setRow(row);
    if (timer.value(QStringLiteral("letto")).toString() == QLatin1String("S"))
        return;
    const QString mail = timer.value(QStringLiteral("mail")).toString();
    const QString text = timer.value(QStringLiteral("scadenza")).toString();
    if (!mail.isEmpty()) {
        const QString failure = mailDeadline(m_dm, mail, text, m_notice);
        if (!failure.isEmpty())
            m_statusmemo.appendPlainText(failure);
    }
    const AlarmDeadline due{QString::number(timer.value(QStringLiteral("id")).toLongLong()),
                            sql::dateText(timer.value(QStringLiteral("data")).toDate()),
                            timer.value(QStringLiteral("ora")).toString(), text,
                            timer.value(QStringLiteral("pc")).toString()};
    const QString errors = m_statusmemo.toPlainText();
    m_statusmemo.clear();
    m_opened(*Tfrm_msg::openDeadline(m_dm, due, !mail.isEmpty(), errors));
}

void DeadlineScan::startupCheck()
{
    m_dm.open(m_dm.t_sca, sql::pastUnseen(m_dm, now()));
    if (m_dm.t_sca.rowCount() > 0)
        m_opened(*Tfrm_msg::openPast(m_dm, m_dm.t_sca));
    m_dm.t_sca.close();
}

} // namespace velmora
