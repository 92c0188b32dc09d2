// Two workstations in two processes through the Firebird server on loopback:
// a message sent by one is shown by the other.
#include "MessageFixture.h"
#include "Servers.h"

#include <QProcess>

using namespace velmora;
using namespace velmora::test;

class TestMessagesServer : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void acrossProcesses()
    {
        const QString host = fbServerAddress();
        if (host.isEmpty()) {
            if (qEnvironmentVariableIsSet("VELMORA_FBSERVER"))
                QFAIL("the test script started a server, but none answers");
            QSKIP("no Firebird server on loopback");
        }
        TempDatabase db;
        db.exec({directoryRow(QStringLiteral("Bianchi Anna"), pcB), directoryRow(QStringLiteral("D''Angelo Rita"), pcC)});
        // The server opens the file for both workstations.
        db.shareWithServer();
        const QString connection = host + QLatin1Char(':') + db.file();
        ScriptedDialogs dialogs;
        RecordingSound sound;
        Workstation b(db, pcB, QStringLiteral("Bianchi Anna"), connection);
        Workstation c(db, pcC, QStringLiteral("D'Angelo Rita"), connection);

        QProcess sender;
        sender.start(QStringLiteral(MESSAGE_SENDER),
                     {connection, QStringLiteral("Dell'Orto Pia"), QStringLiteral("Bianchi Anna"),
                      QStringLiteral("L'aula è\nall'ultimo piano")});
        QVERIFY(sender.waitForFinished(30000));
        QVERIFY2(sender.exitCode() == 0, sender.readAllStandardError().constData());
        QCOMPARE(sender.readAllStandardOutput(), QByteArray("sent\n"));

        c.poll.tick();
        QVERIFY(dialogs.shown().isEmpty());
        dialogs.ok();
        b.poll.tick();
        QCOMPARE(dialogs.texts(), QStringList{shownMessage(QStringLiteral("Dell'Orto Pia"),
                                                           QStringLiteral("L'aula è\nall'ultimo piano"))});
        b.dm->reopen(b.dm->t_sms);
        QCOMPARE(b.dm->t_sms.rowCount(), 0);
        VERIFY_DIALOGS_DONE(dialogs);
    }
};

QTEST_MAIN(TestMessagesServer)
#include "test_messages_server.moc"
