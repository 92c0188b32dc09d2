#include "messages/MessagePoll.h"

#include "db/Fdm.h"
#include "messages/Messages.h"
#include "platform/Dialogs.h"
#include "platform/Sound.h"

#include <QScopeGuard>
#include <QTimer>

namespace velmora {

int firstMessageFor(const fb::ResultSet &messages, const QString &key)
{
    const int pc = messages.columnIndex(QStringLiteral("pc"));
    for (int row = 0; row < messages.rowCount(); ++row)
        if (!messages.isNull(row, pc) && messages.value(row, pc).toString() == key)
            return row;
    return -1;
}

QString messageBoxText(const QString &sender, const QString &message)
{
    return QStringLiteral("M E S S A G G I O !!!\n\nDA: ") + sender + QLatin1Char('\n') + message;
}

MessagePoll::MessagePoll(Tdm &dm, QTimer &timer_sms, QString sound)
    : m_dm(dm), m_timer(timer_sms), m_sound(std::move(sound))
{
}

void MessagePoll::tick()
{
    fb::ResultSet &t_sms = m_dm.t_sms;
    // Unreadable now: the next tick tries again.
    try {
        m_dm.reopen(t_sms);
    } catch (const std::exception &) {
        return;
    }
    const int row = firstMessageFor(t_sms, m_dm.pc);
    if (row < 0)
        return;

    m_timer.stop();
    // Back on whatever happens below; not once the connection was closed
    // meanwhile (the program ends, a restore): connecting again starts it.
    const auto resume = qScopeGuard([this] {
        if (m_dm.connected())
            m_timer.start();
    });
    t_sms.setRow(row);
    const qint64 id = t_sms.value(QStringLiteral("id")).toLongLong();
    const QString text = messageBoxText(t_sms.value(QStringLiteral("utente")).toString(),
                                        t_sms.value(QStringLiteral("messaggio")).toString());
    sound().play(m_sound);
    dialogs().plain(text);
    // Not removed now: it stays stored and comes again at a later tick.
    try {
        m_dm.run(messages::removeStatement(id));
    } catch (const std::exception &) {
    }
    // The next tick reads the table anew in any case.
    try {
        m_dm.reopen(t_sms);
    } catch (const std::exception &) {
    }
}

} // namespace velmora
