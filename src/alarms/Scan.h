#pragma once

#include <QDateTime>
#include <QPointer>
#include <QString>

#include <functional>

class QPlainTextEdit;

namespace velmora {

class PopupNotice;
class Tfrm_msg;
class Tdm;

namespace fb {
class ResultSet;
}

// The row of the calendar list due in this minute: the last one dated that
// day whose time text is the minute's, for everyone or for this workstation.
// -1 when there is none.
int dueRow(const fb::ResultSet &timer, const QDateTime &minute, const QString &key);

// Announces deadlines: the one due in each minute, and at start-up the ones
// whose minute went by unseen. It writes nothing to the database.
class DeadlineScan {
public:
    // opened is told of every alarm window, so that its reloads reach the pages.
    DeadlineScan(Tdm &dm, QPlainTextEdit &statusmemo, PopupNotice &notice,
                 std::function<void(Tfrm_msg &)> opened);

    // One tick, for the minute given: mails the due deadline when it carries
    // an address, then opens its alarm window.
    void tick(const QDateTime &minute);
    // Lists the past unseen deadlines in one window, when there are any;
    // after a lost connection, only when one of them was missed meanwhile.
    // Returns the moment it looked at: its minute is covered, the scan
    // takes over from the next one.
    QDateTime startupCheck();

private:
    bool missedSinceScanned(const fb::ResultSet &past) const;

    Tdm &m_dm;
    QPlainTextEdit &m_statusmemo;
    PopupNotice &m_notice;
    std::function<void(Tfrm_msg &)> m_opened;
    QDateTime m_scanned;                // the last minute whose deadlines were read
    QPointer<Tfrm_msg> m_pastWindow;    // the list of the last check, while open
};

} // namespace velmora
