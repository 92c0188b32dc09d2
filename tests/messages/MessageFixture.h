#pragma once

#include "MessageRows.h"
#include "RecordingSound.h"
#include "ScriptedDialogs.h"
#include "TempDatabase.h"
#include "db/Upgrade.h"
#include "messages/Fsms.h"
#include "messages/MessagePoll.h"

#include <QComboBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

#include <memory>

namespace velmora::test {

inline const QString pcA = QStringLiteral("10.0.0.1");
inline const QString pcB = QStringLiteral("10.0.0.2");
inline const QString pcC = QStringLiteral("10.0.0.3");
inline const QString soundFile = QStringLiteral("/sounds/Messaggio.wav");

inline QString directoryRow(const QString &utente, const QString &pc)
{
    return QStringLiteral("INSERT INTO client(utente, pc) VALUES('") + utente + QStringLiteral("', '") + pc
        + QStringLiteral("')");
}

// One workstation as the connection leaves it: its poll on a running
// timer_sms and its send window, with this workstation's user name.
struct Workstation {
    std::unique_ptr<Tdm> dm;
    QTimer timer_sms;
    MessagePoll poll;
    Tfrm_sms frm_sms;

    Workstation(const TempDatabase &db, const QString &key, const QString &user, const QString &connection = {})
        : dm(db.connect(key, connection)), poll(*dm, timer_sms, soundFile), frm_sms(*dm, [user] { return user; })
    {
        upgradeOnConnect(*dm);
        dm->open(dm->t_sms, QStringLiteral("select * from messaggi"));
        timer_sms.setInterval(10000);
        timer_sms.start();
    }

    // "Invio messaggi", the name chosen, the text typed and "Invia"; the
    // boxes are the test's to script.
    void send(const QString &name, const QString &text)
    {
        frm_sms.openFromMenu();
        QVERIFY(frm_sms.isVisible());
        choose(name);
        frm_sms.memo_sms->setPlainText(text);
        QTest::mouseClick(frm_sms.BitBtn1, Qt::LeftButton);
    }

    void choose(const QString &name)
    {
        const int i = frm_sms.cmb_utente->findText(name);
        QVERIFY2(i >= 0, qPrintable(name));
        frm_sms.cmb_utente->setCurrentIndex(i);
    }
};

// The box of a message from sender, as the log of the scripted boxes holds it.
inline QString shownMessage(const QString &sender, const QString &text)
{
    return QStringLiteral("plain: M E S S A G G I O !!!\n\nDA: ") + sender + QLatin1Char('\n') + text;
}

} // namespace velmora::test
