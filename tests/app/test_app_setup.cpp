// Where the database is: the first start's questions, the folders made at
// creation, and the change of connection from the menu.
#include "Script.h"
#include "TempRoot.h"
#include "app/Fmenu.h"
#include "db/Fdm.h"
#include "support/ScriptedDialogs.h"

#include <QDir>
#include <QFileInfo>
#include <QMenu>
#include <QtTest>

#include <optional>

using namespace velmora;
using velmora::test::ScriptedDialogs;

namespace {

const QString askServer = QStringLiteral("question: E' la postazione che conterrà la base dei dati?");
const QString confirmChoice = QStringLiteral("question: Confermare la scelta?");
const QString inputServer =
    QStringLiteral("input: Indirizzo IP o Nome PC\nDigitare l'indirizzo IP del SERVER e cliccare su OK");
const QByteArray unreachable = "127.0.0.2/1:/nowhere.fdb\n";

QByteArray connectionFor(const test::TempRoot &root, const QString &server)
{
    return (server + QLatin1Char(':') + root.root() + QStringLiteral("Velmora/Database/Velmora.FDB\n")).toUtf8();
}

QAction *entry(const Tfrm_menu &frm, const char *name)
{
    return frm.pop_menu->findChild<QAction *>(QLatin1String(name));
}

} // namespace

class TestConnectionSetup : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void firstStart_data();
    void firstStart();
    void laterStart();
    void serverWorkstationLaterStart();
    void unwritableRoot();
    void changeConnection_data();
    void changeConnection();
};

void TestConnectionSetup::firstStart_data()
{
    QTest::addColumn<QStringList>("answers");
    QTest::addColumn<QStringList>("texts");
    QTest::addColumn<QString>("server");       // empty: the program ends
    QTest::addColumn<bool>("databaseHere");

    QTest::newRow("server workstation") << QStringList{QStringLiteral("yes"), QStringLiteral("yes")}
                                        << QStringList{askServer, confirmChoice} << QStringLiteral("localhost")
                                        << true;
    QTest::newRow("other workstation")
        << QStringList{QStringLiteral("no"), QStringLiteral("input:192.0.2.50"), QStringLiteral("yes")}
        << QStringList{askServer, inputServer, QStringLiteral("question: Confermare indirizzo IP: 192.0.2.50?")}
        << QStringLiteral("192.0.2.50") << false;
    QTest::newRow("choice not confirmed")
        << QStringList{QStringLiteral("yes"), QStringLiteral("no"), QStringLiteral("input:server-segreteria"),
                       QStringLiteral("yes")}
        << QStringList{askServer, confirmChoice, inputServer,
                       QStringLiteral("question: Confermare indirizzo IP: server-segreteria?")}
        << QStringLiteral("server-segreteria") << false;
    QTest::newRow("input cancelled") << QStringList{QStringLiteral("no"), QStringLiteral("cancel")}
                                     << QStringList{askServer, inputServer} << QString() << false;
    QTest::newRow("empty name")
        << QStringList{QStringLiteral("no"), QStringLiteral("input:"), QStringLiteral("ok")}
        << QStringList{askServer, inputServer,
                       QStringLiteral("warning: Indirizzo IP non indicato... Riavviare il programma!")}
        << QString() << false;
    QTest::newRow("name not confirmed")
        << QStringList{QStringLiteral("no"), QStringLiteral("input:192.0.2.50"), QStringLiteral("no")}
        << QStringList{askServer, inputServer, QStringLiteral("question: Confermare indirizzo IP: 192.0.2.50?")}
        << QString() << false;
}

void TestConnectionSetup::firstStart()
{
    QFETCH(QStringList, answers);
    QFETCH(QStringList, texts);
    QFETCH(QString, server);
    QFETCH(bool, databaseHere);

    const test::TempRoot root;
    ScriptedDialogs dialogs;
    test::script(dialogs, answers);
    Tdm dm;
    Tfrm_menu frm;
    frm.setDataModule(&dm);

    QCOMPARE(dialogs.texts(), texts);
    VERIFY_DIALOGS_DONE(dialogs);
    const bool ends = server.isEmpty();
    QCOMPARE(frm.programEnded(), ends);
    QCOMPARE(root.connectionFile(), ends ? QByteArray() : connectionFor(root, server));
    QCOMPARE(frm.timer_connetti.isActive(), !ends);
    QCOMPARE(frm.icona->toolTip(), QStringLiteral("Connessione in corso..."));
    QVERIFY(!frm.icona->contextMenu());
    if (ends)
        return;
    QCOMPARE(QFileInfo::exists(root.root() + QStringLiteral("Velmora/Database/Velmora.FDB")), databaseHere);
    QCOMPARE(entry(frm, "v_servizi")->isVisible(), databaseHere);
    QCOMPARE(QFileInfo(root.root() + QStringLiteral("Velmora/Backup")).isDir(), databaseHere);
    QCOMPARE(frm.od_copia.folder, root.root() + QStringLiteral("Velmora/Backup"));
    QCOMPARE(frm.od_copia.filter, QStringLiteral("File di copia (*.copia)"));
}

void TestConnectionSetup::laterStart()
{
    const test::TempRoot root;
    root.writeConnectionFile(unreachable);
    ScriptedDialogs dialogs;
    Tdm dm;
    Tfrm_menu frm;
    frm.setDataModule(&dm);
    QVERIFY(dialogs.shown().isEmpty());
    QVERIFY(!frm.programEnded());
    QVERIFY(frm.timer_connetti.isActive());
    QCOMPARE(root.connectionFile(), unreachable);
    QVERIFY(!entry(frm, "v_servizi")->isVisible());
    QVERIFY(!QFileInfo::exists(root.root() + QStringLiteral("Velmora/Backup")));
}

// A later start of the server workstation makes the copies' folder again.
void TestConnectionSetup::serverWorkstationLaterStart()
{
    const test::TempRoot root;
    {
        ScriptedDialogs dialogs;
        dialogs.yes().yes();
        Tdm dm;
        Tfrm_menu frm;
        frm.setDataModule(&dm);
        VERIFY_DIALOGS_DONE(dialogs);
    }
    QVERIFY(QDir(root.root() + QStringLiteral("Velmora/Backup")).removeRecursively());

    ScriptedDialogs dialogs;
    Tdm dm;
    Tfrm_menu frm;
    frm.setDataModule(&dm);
    QVERIFY(dialogs.shown().isEmpty());
    QVERIFY(entry(frm, "v_servizi")->isVisible());
    QVERIFY(QFileInfo(root.root() + QStringLiteral("Velmora/Backup")).isDir());
    QVERIFY(frm.timer_connetti.isActive());
}

// The folder of the connection file cannot be made: the error box says what
// to check, and the workstation stays without a connection and without its
// menu.
void TestConnectionSetup::unwritableRoot()
{
    const test::TempRoot root;
    root.blockRoot();
    ScriptedDialogs dialogs;
    dialogs.yes().yes().ok();
    Tdm dm;
    Tfrm_menu frm;
    frm.setDataModule(&dm);

    const QStringList texts = dialogs.texts();
    QCOMPARE(texts.size(), 3);
    QCOMPARE(texts.mid(0, 2), (QStringList{askServer, confirmChoice}));
    const QString blocked = qEnvironmentVariable("VELMORA_ROOT");
    QCOMPARE(texts[2],
             QStringLiteral("error: Impossibile creare la cartella \"%1/Velmora/Sys\".\n"
                            "Controllare la cartella \"%2\" e i suoi permessi: l'utente che avvia il programma "
                            "deve poterci leggere e scrivere e, dove le cartelle di Velmora sono condivise con un "
                            "gruppo, farne parte (chi vi è appena stato aggiunto deve uscire dalla sessione e "
                            "rientrare). Controllare anche che il disco non sia pieno.\nNot a directory")
                 .arg(blocked, QFileInfo(blocked).absolutePath()));
    VERIFY_DIALOGS_DONE(dialogs);
    QVERIFY(!frm.programEnded());
    QVERIFY(!frm.timer_connetti.isActive());
    QCOMPARE(frm.icona->toolTip(), QStringLiteral("Connessione in corso..."));
    QVERIFY(!frm.icona->contextMenu());
}

void TestConnectionSetup::changeConnection_data()
{
    QTest::addColumn<QStringList>("answers");
    QTest::addColumn<QStringList>("texts");
    QTest::addColumn<bool>("changed");

    const QString proceed = QStringLiteral("question: Proseguire per il cambio connessione?");
    const QString confirm = QStringLiteral("question: Confermare indirizzo IP: 192.0.2.9?");
    QTest::newRow("declined") << QStringList{QStringLiteral("no")} << QStringList{proceed} << false;
    QTest::newRow("cancelled") << QStringList{QStringLiteral("yes"), QStringLiteral("cancel")}
                               << QStringList{proceed, inputServer} << false;
    QTest::newRow("empty name") << QStringList{QStringLiteral("yes"), QStringLiteral("input:"), QStringLiteral("ok")}
                                << QStringList{proceed, inputServer,
                                               QStringLiteral("warning: Indirizzo IP non indicato!")}
                                << false;
    QTest::newRow("not confirmed")
        << QStringList{QStringLiteral("yes"), QStringLiteral("input:192.0.2.9"), QStringLiteral("no")}
        << QStringList{proceed, inputServer, confirm} << false;
    QTest::newRow("changed")
        << QStringList{QStringLiteral("yes"), QStringLiteral("input:192.0.2.9"), QStringLiteral("yes"),
                       QStringLiteral("ok")}
        << QStringList{proceed, inputServer, confirm,
                       QStringLiteral("warning: Connessione cambiata... Riavviare il programma!")}
        << true;
}

void TestConnectionSetup::changeConnection()
{
    QFETCH(QStringList, answers);
    QFETCH(QStringList, texts);
    QFETCH(bool, changed);

    const test::TempRoot root;
    root.writeConnectionFile(unreachable);
    ScriptedDialogs dialogs;
    Tdm dm;
    Tfrm_menu frm;
    frm.setDataModule(&dm);

    test::script(dialogs, answers);
    entry(frm, "ModificaconnesionealServer1")->trigger();
    QCOMPARE(dialogs.texts(), texts);
    VERIFY_DIALOGS_DONE(dialogs);
    QCOMPARE(root.connectionFile(), changed ? connectionFor(root, QStringLiteral("192.0.2.9")) : unreachable);
    QCOMPARE(frm.programEnded(), changed);
}

QTEST_MAIN(TestConnectionSetup)
#include "test_app_setup.moc"
