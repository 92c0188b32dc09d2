// The message entries of the menu and the poll on timer_sms, as the
// connection step leaves them.
#include "MainWindow.h"
#include "alarms/Sounds.h"
#include "app/Fmenu.h"
#include "db/Fdm.h"
#include "db/Texts.h"
#include "messages/Fsms.h"
#include "messages/MessagePoll.h"
#include "support/MessageRows.h"
#include "support/RecordingSound.h"
#include "support/ScriptedDialogs.h"
#include "support/TempDatabase.h"

#include <QComboBox>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QtTest>

#include <optional>

using namespace velmora;
using velmora::test::messageRows;
using velmora::test::ScriptedDialogs;

namespace {

const QString key = QStringLiteral("10.0.0.7");

// A connected workstation with its send window, as the program starts it.
struct Workstation : test::MainWindow {
    explicit Workstation(const test::TempDatabase &db) : MainWindow(test::connectionTo(db), key)
    {
        frm->connectTick();
    }

    test::RecordingSound sound;
};

} // namespace

class TestAppMessages : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void sendAndReceive()
    {
        const test::TempDatabase db;
        db.exec({QStringLiteral("INSERT INTO client(utente, pc) VALUES('Bianchi Anna', '10.0.0.8')"),
                 QStringLiteral("INSERT INTO client(utente, pc) VALUES('Rossi Maria', '10.0.0.7')")});
        Workstation w(db);
        QVERIFY(w.frm->timer_sms.isActive());

        // Sent under this workstation's user name, found on connecting.
        w.entry("Inviomessaggi1")->trigger();
        QVERIFY(w.sms->isVisible());
        w.sms->cmb_utente->setCurrentIndex(w.sms->cmb_utente->findText(QStringLiteral("Bianchi Anna")));
        w.sms->memo_sms->setPlainText(QStringLiteral("Ciao"));
        w.dialogs.yes();
        QTest::mouseClick(w.sms->BitBtn1, Qt::LeftButton);
        QCOMPARE(messageRows(db), QStringList{QStringLiteral("10.0.0.8|Ciao|Rossi Maria")});

        db.exec({QStringLiteral("INSERT INTO messaggi(pc,messaggio,utente) VALUES('10.0.0.7', 'Ricevuto','Bianchi Anna')")});
        w.dialogs.ok();
        w.frm->poll()->tick();
        QCOMPARE(w.dialogs.texts().last(), QStringLiteral("plain: M E S S A G G I O !!!\n\nDA: Bianchi Anna\nRicevuto"));
        QCOMPARE(w.sound.played(), QStringList{messageSound()});
        QVERIFY(w.frm->timer_sms.isActive());
        QCOMPARE(messageRows(db), QStringList{QStringLiteral("10.0.0.8|Ciao|Rossi Maria")});

        // The timer itself runs the poll.
        db.exec({QStringLiteral("INSERT INTO messaggi(pc,messaggio,utente) VALUES('10.0.0.7', 'Di nuovo','Bianchi Anna')")});
        w.dialogs.ok();
        w.frm->timer_sms.start(0);
        QTRY_COMPARE(w.dialogs.shown().size(), 3);
        QCOMPARE(w.dialogs.texts().last(), QStringLiteral("plain: M E S S A G G I O !!!\n\nDA: Bianchi Anna\nDi nuovo"));
        VERIFY_DIALOGS_DONE(w.dialogs);
    }

    void emptyMessages()
    {
        const test::TempDatabase db;
        db.exec({QStringLiteral("INSERT INTO messaggi(pc,messaggio,utente) VALUES('10.0.0.8', 'Ciao','Rossi Maria')")});
        Workstation w(db);
        w.dialogs.no();
        w.entry("Svuotamessaggi1")->trigger();
        QCOMPARE(messageRows(db).size(), 1);
        w.dialogs.yes();
        w.entry("Svuotamessaggi1")->trigger();
        QVERIFY(messageRows(db).isEmpty());
        // Nothing is shown on success; without a connection, the not-connected warning.
        w.dm.disconnect();
        w.dialogs.yes().ok();
        w.entry("Svuotamessaggi1")->trigger();
        QCOMPARE(w.dialogs.texts().last(),
                 QStringLiteral("warning: ") + velmora::notConnectedWarning() + QStringLiteral("\nDatabase non connesso"));
        QCOMPARE(w.dialogs.shown().size(), 4);
        VERIFY_DIALOGS_DONE(w.dialogs);
    }
};

QTEST_MAIN(TestAppMessages)
#include "test_app_messages.moc"
