#pragma once

#include <QString>

class QTimer;

namespace velmora {

class Tdm;

namespace fb {
class ResultSet;
}

// The row of the first message for the workstation key; -1 when none.
int firstMessageFor(const fb::ResultSet &messages, const QString &key);

// The text of the box that shows a message.
QString messageBoxText(const QString &sender, const QString &message);

// Looks for a message for this workstation at each tick of timer_sms: plays
// the message sound, shows the message and removes it. One message a tick;
// the timer is off while the message is shown.
class MessagePoll {
public:
    MessagePoll(Tdm &dm, QTimer &timer_sms, QString sound);

    void tick();

private:
    Tdm &m_dm;
    QTimer &m_timer;
    QString m_sound;
};

} // namespace velmora
