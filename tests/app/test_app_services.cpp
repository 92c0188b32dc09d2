// The entries of "Servizi": copy and restore of the database, and the two
// purges of the deadlines, with every box they show.
#include "Script.h"
#include "TempRoot.h"
#include "app/Fmenu.h"
#include "db/Fdm.h"
#include "db/Schema.h"
#include "db/Setup.h"
#include "support/ScriptedDialogs.h"
#include "support/SettableClock.h"

#include <QDir>
#include <QFile>
#include <QMenu>
#include <QtTest>

#include <optional>

using namespace velmora;
using velmora::test::ScriptedDialogs;

namespace {

const QString key = QStringLiteral("10.0.0.7");

// The server workstation, its database reached through the engine inside
// the client, connected and with its timers running.
struct ServerWorkstation {
    ServerWorkstation()
    {
        createDatabase(setup::databaseFile());
        root.writeConnectionFile(setup::databaseFile().toUtf8() + '\n');
        dm.pc = key;
        frm.emplace();
        frm->setDataModule(&dm);
        dm.databaseName = setup::databaseFile();
        dm.connect();
        frm->Timer_scad.start();
        frm->timer_sms.start();
    }

    void trigger(const char *name) const
    {
        QAction *a = frm->pop_menu->findChild<QAction *>(QLatin1String(name));
        QVERIFY(a && a->isEnabled());
        a->trigger();
    }

    void insert(const QString &date, const QString &text)
    {
        dm.run(QStringLiteral("INSERT INTO scadenze (data, ora, scadenza, pc) VALUES ('%1', '08.00', '%2', 'tutti')")
                   .arg(date, text));
    }

    // "dd/mm/yyyy text" of every deadline, in date order.
    QStringList rows()
    {
        dm.open(dm.t_sca, QStringLiteral("select data, scadenza from scadenze order by data"));
        QStringList out;
        for (dm.t_sca.first(); !dm.t_sca.eof(); dm.t_sca.next())
            out << dm.t_sca.value(QStringLiteral("data")).toDate().toString(QStringLiteral("dd/MM/yyyy"))
                       + QLatin1Char(' ') + dm.t_sca.value(QStringLiteral("scadenza")).toString();
        return out;
    }

    test::TempRoot root;
    ScriptedDialogs dialogs;
    Tdm dm;
    std::optional<Tfrm_menu> frm;
};

// Runs a purge entry over the deadlines (date, text) with the row's answers;
// checks the boxes shown and the deadlines left.
void purge(const char *entry, const QList<std::pair<QString, QString>> &deadlines)
{
    QFETCH(QStringList, answers);
    QFETCH(QStringList, boxes);
    QFETCH(QStringList, left);
    ServerWorkstation w;
    for (const auto &[date, text] : deadlines)
        w.insert(date, text);
    test::script(w.dialogs, answers);
    w.trigger(entry);
    VERIFY_DIALOGS_DONE(w.dialogs);
    QCOMPARE(w.dialogs.texts(), boxes);
    QCOMPARE(w.rows(), left);
}

const QString copyQuestion = QStringLiteral("question: Avviare la copia del database?");
const QString copyDone = QStringLiteral("information: Copia effettuata!");

} // namespace

class TestServices : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void copyAndRestore();
    void copyRefused();
    void copyFails();
    void restoreStopsEarly_data();
    void restoreStopsEarly();
    void restoreBadCopy();
    void purgeByDate_data();
    void purgeByDate();
    void purgeByWord_data();
    void purgeByWord();
};

// Two copies on 9 December 2024 make one file; restoring it brings back the
// rows of the second copy, and the program ends.
void TestServices::copyAndRestore()
{
    ServerWorkstation w;
    test::SettableClock clock(QDateTime(QDate(2024, 12, 9), QTime(10, 0)));
    const QString copy = setup::backupFolder() + QStringLiteral("/09-12-2024.copia");
    QVERIFY(copy.startsWith(w.root.root() + QStringLiteral("Velmora/Backup/")));
    w.insert(QStringLiteral("09/02/2024"), QStringLiteral("Collegio"));
    test::script(w.dialogs, {"yes", "ok"});
    w.trigger("Copia1");
    QVERIFY(QFile::exists(copy));
    w.insert(QStringLiteral("10/02/2024"), QStringLiteral("Scrutini"));
    clock.advance(3600);
    test::script(w.dialogs, {"yes", "ok"});
    w.trigger("Copia1");
    QCOMPARE(QDir(setup::backupFolder()).entryList(QDir::Files), QStringList{QStringLiteral("09-12-2024.copia")});
    w.dm.run(QStringLiteral("DELETE FROM scadenze"));

    test::script(w.dialogs, {"yes", "yes"});
    w.dialogs.file(copy);
    test::script(w.dialogs, {"ok"});
    w.trigger("Ripristino1");
    QCOMPARE(w.dialogs.texts(), (QStringList{copyQuestion, copyDone, copyQuestion, copyDone,
                                             QStringLiteral("question: Avviare il ripristino del database?"),
                                             QStringLiteral("question: Confermare ripristino?"),
                                             QStringLiteral("openFile: Ripristino"),
                                             QStringLiteral("information: Ripristino effettuato... Riavviare il programma!")}));
    QCOMPARE(w.dialogs.shown()[6].detail, setup::backupFolder() + QStringLiteral("\nFile di copia (*.copia)"));
    VERIFY_DIALOGS_DONE(w.dialogs);
    QVERIFY(w.frm->programEnded());
    QCOMPARE(w.frm->closingFlag(), QStringLiteral("S"));
    QVERIFY(!w.dm.connected());
    QVERIFY(!w.frm->Timer_scad.isActive());
    QVERIFY(!w.frm->timer_sms.isActive());

    w.dm.connect();
    QCOMPARE(w.rows(), (QStringList{QStringLiteral("02/09/2024 Collegio"), QStringLiteral("02/10/2024 Scrutini")}));
}

void TestServices::copyRefused()
{
    ServerWorkstation w;
    test::script(w.dialogs, {"no"});
    w.trigger("Copia1");
    QCOMPARE(w.dialogs.texts(), QStringList{copyQuestion});
    QVERIFY(QDir(setup::backupFolder()).isEmpty());
}

// The server cannot write the copy: its own error, and no success message.
void TestServices::copyFails()
{
    ServerWorkstation w;
    QVERIFY(QDir(setup::backupFolder()).removeRecursively());
    QFile blocker(setup::backupFolder());
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    test::script(w.dialogs, {"yes", "ok"});
    w.trigger("Copia1");
    VERIFY_DIALOGS_DONE(w.dialogs);
    QCOMPARE(w.dialogs.shown().size(), 2);
    const ScriptedDialogs::Box box = w.dialogs.shown()[1];
    QCOMPARE(box.kind, QStringLiteral("error"));
    QVERIFY2(box.text.startsWith(QStringLiteral("Copia non effettuata!\n")), qPrintable(box.text));
    QVERIFY2(box.text.contains(QStringLiteral(".copia")), qPrintable(box.text));
}

void TestServices::restoreStopsEarly_data()
{
    QTest::addColumn<QStringList>("answers");
    QTest::addColumn<int>("boxes");
    QTest::newRow("no") << QStringList{"no"} << 1;
    QTest::newRow("no at the second question") << QStringList{"yes", "no"} << 2;
    QTest::newRow("file dialog cancelled") << QStringList{"yes", "yes", "cancel"} << 3;
}

// Nothing happens: still connected, the timers run, nothing is shown after.
void TestServices::restoreStopsEarly()
{
    QFETCH(QStringList, answers);
    QFETCH(int, boxes);
    ServerWorkstation w;
    test::script(w.dialogs, answers);
    w.trigger("Ripristino1");
    VERIFY_DIALOGS_DONE(w.dialogs);
    QCOMPARE(w.dialogs.shown().size(), boxes);
    QVERIFY(w.dm.connected());
    QVERIFY(w.frm->Timer_scad.isActive());
    QVERIFY(w.frm->timer_sms.isActive());
    QVERIFY(!w.frm->programEnded());
}

// A file that is no copy: the server's error, the database as it was, and
// the program working on it again.
void TestServices::restoreBadCopy()
{
    ServerWorkstation w;
    w.insert(QStringLiteral("09/02/2024"), QStringLiteral("Collegio"));
    const QString bad = setup::backupFolder() + QStringLiteral("/note.copia");
    QFile file(bad);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("Appunti, non una copia.\n");
    file.close();
    test::script(w.dialogs, {"yes", "yes"});
    w.dialogs.file(bad);
    test::script(w.dialogs, {"ok"});
    w.trigger("Ripristino1");
    VERIFY_DIALOGS_DONE(w.dialogs);
    const ScriptedDialogs::Box box = w.dialogs.shown().last();
    QCOMPARE(box.kind, QStringLiteral("error"));
    QVERIFY2(box.text.startsWith(QStringLiteral("Ripristino non effettuato!\n")), qPrintable(box.text));
    QVERIFY(box.text.size() > QStringLiteral("Ripristino non effettuato!\n").size());
    QVERIFY(!w.frm->programEnded());
    QVERIFY(w.dm.connected());
    QVERIFY(w.frm->Timer_scad.isActive());
    QVERIFY(w.frm->timer_sms.isActive());
    QCOMPARE(w.rows(), QStringList{QStringLiteral("02/09/2024 Collegio")});
}

void TestServices::purgeByDate_data()
{
    QTest::addColumn<QStringList>("answers");
    QTest::addColumn<QStringList>("boxes");
    QTest::addColumn<QStringList>("left");
    const QString confirm = QStringLiteral("question: Confermare operazione?");
    const QString choose = QStringLiteral("question: Cliccare su \"SI\" per indicare la data limite di svuotamento\n"
                                          "Cliccare su \"NO\" per svuotare tutte le scadenze");
    const QString input = QStringLiteral("input: Indicare data\nSvuotare le scadenze precedenti a data:\n"
                                         "(N.B. la data deve essere nel formato \"gg/mm/aaaa\")");
    const QString last = QStringLiteral("question: Continuando tutte le scadenze indicate verranno SVUOTATE?\n"
                                        "Confermare operazione?");
    const QString wrong = QStringLiteral("warning: Data non corretta... Ripetere operazione!");
    const QStringList both = {QStringLiteral("29/02/2024 ventinove"), QStringLiteral("01/03/2024 primo marzo")};
    const QStringList march = {QStringLiteral("01/03/2024 primo marzo")};
    QTest::newRow("date") << QStringList{"yes", "yes", "input:01/03/2024", "yes"}
                          << QStringList{confirm, choose, input, last} << march;
    QTest::newRow("date without zeros") << QStringList{"yes", "yes", "input:1/3/2024", "yes"}
                                        << QStringList{confirm, choose, input, last} << march;
    QTest::newRow("no date: everything") << QStringList{"yes", "no", "yes"} << QStringList{confirm, choose, last}
                                         << QStringList();
    QTest::newRow("not confirmed") << QStringList{"no"} << QStringList{confirm} << both;
    QTest::newRow("empty date") << QStringList{"yes", "yes", "input:"} << QStringList{confirm, choose, input}
                                << both;
    QTest::newRow("cancelled") << QStringList{"yes", "yes", "cancel"} << QStringList{confirm, choose, input}
                               << both;
    QTest::newRow("mistyped") << QStringList{"yes", "yes", "input:31/02/2024", "ok"}
                              << QStringList{confirm, choose, input, wrong} << both;
    QTest::newRow("no at the last question") << QStringList{"yes", "no", "no"}
                                             << QStringList{confirm, choose, last} << both;
}

void TestServices::purgeByDate()
{
    purge("Eliminatuttelescadenze1",
          {{QStringLiteral("02/29/2024"), QStringLiteral("ventinove")}, {QStringLiteral("03/01/2024"), QStringLiteral("primo marzo")}});
}

void TestServices::purgeByWord_data()
{
    QTest::addColumn<QStringList>("answers");
    QTest::addColumn<QStringList>("boxes");
    QTest::addColumn<QStringList>("left");
    const QString confirm = QStringLiteral("question: Confermare operazione?");
    const QString input = QStringLiteral("input: Indicare Parola\nEliminare le scadenze che contengono la parola:");
    const QString empty = QStringLiteral("information: Indicare la parola della scadenza da eliminare!");
    const QStringList both = {QStringLiteral("01/09/2024 Chiusura dell'anno"), QStringLiteral("01/10/2024 Riunione")};
    QTest::newRow("apostrophe")
        << QStringList{"yes", "input:dell'anno", "yes"}
        << QStringList{confirm, input,
                       QStringLiteral("question: Continuando tutte le scadenze che contengono la parola \"dell'anno\" "
                                      "verranno ELIMINATE?\nConfermare operazione?")}
        << QStringList{QStringLiteral("01/10/2024 Riunione")};
    QTest::newRow("capitals") << QStringList{"yes", "input:RIUNIONE", "yes"}
                              << QStringList{confirm, input,
                                             QStringLiteral("question: Continuando tutte le scadenze che contengono "
                                                            "la parola \"RIUNIONE\" verranno ELIMINATE?\n"
                                                            "Confermare operazione?")}
                              << QStringList{QStringLiteral("01/09/2024 Chiusura dell'anno")};
    QTest::newRow("not confirmed") << QStringList{"no"} << QStringList{confirm} << both;
    QTest::newRow("empty word") << QStringList{"yes", "input:", "ok"} << QStringList{confirm, input, empty} << both;
    QTest::newRow("cancelled") << QStringList{"yes", "cancel", "ok"} << QStringList{confirm, input, empty} << both;
    QTest::newRow("no at the last question")
        << QStringList{"yes", "input:anno", "no"}
        << QStringList{confirm, input,
                       QStringLiteral("question: Continuando tutte le scadenze che contengono la parola \"anno\" "
                                      "verranno ELIMINATE?\nConfermare operazione?")}
        << both;
}

void TestServices::purgeByWord()
{
    purge("Eliminascadenzechecontengonolaparola1", {{QStringLiteral("09/01/2024"), QStringLiteral("Chiusura dell''anno")},
                                                    {QStringLiteral("10/01/2024"), QStringLiteral("Riunione")}});
}

QTEST_MAIN(TestServices)
#include "test_app_services.moc"
