// The entries of "Servizi": copy and restore of the database, and the two
// purges of the deadlines, with every box they show.
#include "Script.h"
#include "TempRoot.h"
#include "app/Fmenu.h"
#include "db/Fdm.h"
#include "db/Maintenance.h"
#include "db/Schema.h"
#include "db/Setup.h"
#include "db/Texts.h"
#include "fb/Error.h"
#include "support/ScriptedDialogs.h"
#include "support/Servers.h"
#include "support/SettableClock.h"
#include "support/TcpProxy.h"
#include "widgets/ProgressWindow.h"

#include <QDir>
#include <QFile>
#include <QMenu>
#include <QPlainTextEdit>
#include <QScopeGuard>
#include <QtTest>

#include <functional>
#include <optional>

#include <sys/stat.h>

using namespace velmora;
using velmora::test::ScriptedDialogs;

namespace {

// What the window says when it comes back without a connection.
const QString notConnectedBox = QStringLiteral("warning: ") + notConnectedWarning() + QStringLiteral("\nDatabase non connesso");

const QString key = QStringLiteral("10.0.0.7");

// "dd/mm/yyyy text" of every deadline, in date order.
QStringList rowsOf(Tdm &dm)
{
    dm.open(dm.t_sca, QStringLiteral("select data, scadenza from scadenze order by data"));
    QStringList out;
    for (dm.t_sca.first(); !dm.t_sca.eof(); dm.t_sca.next())
        out << dm.t_sca.value(QStringLiteral("data")).toDate().toString(QStringLiteral("dd/MM/yyyy"))
                   + QLatin1Char(' ') + dm.t_sca.value(QStringLiteral("scadenza")).toString();
    return out;
}

// The server workstation, connected as at a start, its timers running. Its
// database is reached through the engine inside the client, or through the
// server given ("localhost", "127.0.0.2/port"), which then makes the
// copies and restores them.
struct ServerWorkstation {
    explicit ServerWorkstation(const QString &server = {})
    {
        createDatabase(setup::databaseFile());
        const QString connection =
            server.isEmpty() ? setup::databaseFile() : server + QLatin1Char(':') + setup::databaseFile();
        root.writeConnectionFile(connection.toUtf8() + '\n');
        dm.pc = key;
        frm.emplace();
        frm->setDataModule(&dm);
        if (!server.isEmpty())
            root.shareWithServer();
        // The steps of a start: the schema brought up to date, the timers on.
        frm->connectTick();
        QVERIFY(dm.connected());
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

    QStringList rows() { return rowsOf(dm); }

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

// Calls `during` with the window of each service as it shows, while the
// service runs.
class WhileServiceRuns : public QObject {
public:
    explicit WhileServiceRuns(std::function<void(ProgressWindow &)> during) : m_during(std::move(during))
    {
        qApp->installEventFilter(this);
    }
    ~WhileServiceRuns() override { qApp->removeEventFilter(this); }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Show)
            if (auto *window = qobject_cast<ProgressWindow *>(watched))
                m_during(*window);
        return false;
    }

private:
    std::function<void(ProgressWindow &)> m_during;
};

// Writes a file named .copia that is no copy.
QString notACopy()
{
    const QString bad = setup::backupFolder() + QStringLiteral("/note.copia");
    QFile file(bad);
    if (file.open(QIODevice::WriteOnly))
        file.write("Appunti, non una copia.\n");
    return bad;
}

const QString exiting = QStringLiteral("-Exiting before completion due to errors");

// A service's failure as its box may tell it, whole. How much the engine
// has gathered when the program reads it varies from run to run: the error
// comes after the first few of the lines the service writes before it (or
// none, when it came before the first line was read), and with its last
// line, or before the service added it.
QStringList failureTexts(const QString &box, const QStringList &linesBefore, const QStringList &error)
{
    QStringList texts;
    for (qsizetype read = 0; read <= linesBefore.size(); ++read)
        for (const QStringList &told : {error, error.mid(0, 1)})
            texts << box + (linesBefore.mid(0, read) + told).join(QLatin1Char('\n'));
    return texts;
}

const QString copyQuestion = QStringLiteral("question: Avviare la copia del database?");
const QString copyDone = QStringLiteral("information: Copia effettuata!");

} // namespace

class TestServices : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void copyAndRestore();
    void copyRefused();
    void throughServer();
    void loginRefused();
    void copyFails();
    void copyFolderRefused();
    void restoreStopsEarly_data();
    void restoreStopsEarly();
    void restoreBadCopy();
    void restoreReconnectFails();
    void restoreDisconnectFails();
    void quitDuringRestore();
    void entriesHeldWhileRunning_data();
    void entriesHeldWhileRunning();
    void copyMakesSharedFolder();
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

// The office's way: the server of this workstation makes the copy and
// restores it, while the program works through it.
void TestServices::throughServer()
{
    if (!test::fbServerRunning())
        QSKIP("no Firebird server on loopback");
    ServerWorkstation w(test::fbServerAddress());
    const test::SettableClock clock(QDateTime(QDate(2024, 12, 9), QTime(10, 0)));
    w.insert(QStringLiteral("09/02/2024"), QStringLiteral("Collegio"));
    test::script(w.dialogs, {"yes", "ok"});
    w.trigger("Copia1");
    const QString copy = setup::backupFolder() + QStringLiteral("/09-12-2024.copia");
    QVERIFY(QFileInfo(copy).size() > 0);
    w.insert(QStringLiteral("10/02/2024"), QStringLiteral("Scrutini"));

    test::script(w.dialogs, {"yes", "yes"});
    w.dialogs.file(copy);
    test::script(w.dialogs, {"ok"});
    w.trigger("Ripristino1");
    VERIFY_DIALOGS_DONE(w.dialogs);
    QCOMPARE(w.dialogs.texts(), (QStringList{copyQuestion, copyDone,
                                             QStringLiteral("question: Avviare il ripristino del database?"),
                                             QStringLiteral("question: Confermare ripristino?"),
                                             QStringLiteral("openFile: Ripristino"),
                                             QStringLiteral("information: Ripristino effettuato... Riavviare il programma!")}));
    QVERIFY(w.frm->programEnded());
    QVERIFY(!QFile::exists(maintenance::scratchFile(setup::databaseFile())));
    w.dm.connect();
    QCOMPARE(w.rows(), QStringList{QStringLiteral("02/09/2024 Collegio")});
}

// The server refuses the program's login: the error box with the server's
// own words, at once.
void TestServices::loginRefused()
{
    if (!test::fbServerRunning())
        QSKIP("no Firebird server on loopback");
    ServerWorkstation w(test::fbServerAddress());
    const QByteArray password = qgetenv("ISC_PASSWORD");
    const auto restored = qScopeGuard([&password] {
        if (password.isNull())
            qunsetenv("ISC_PASSWORD");
        else
            qputenv("ISC_PASSWORD", password);
    });
    qputenv("ISC_PASSWORD", "not-the-password");
    fb::Service backup(fb::Service::Action::Backup);
    QString refusal;
    try {
        backup.run(maintenance::siteOf(w.dm.databaseName), Tdm::login(), {}, std::atomic<bool>{false});
    } catch (const fb::Error &e) {
        refusal = e.text();
    }
    QVERIFY2(refusal.contains(QLatin1String("password")), qPrintable(refusal));
    test::script(w.dialogs, {"yes", "ok"});
    w.trigger("Copia1");
    VERIFY_DIALOGS_DONE(w.dialogs);
    QCOMPARE(w.dialogs.texts(), (QStringList{copyQuestion, QStringLiteral("error: Copia non effettuata!\n") + refusal}));
    QVERIFY(QDir(setup::backupFolder()).isEmpty());
}

// The server cannot write the copy: its own error, and no success message.
void TestServices::copyFails()
{
    ServerWorkstation w;
    const test::SettableClock clock(QDateTime(QDate(2024, 12, 9), QTime(10, 0)));
    QVERIFY(QDir(setup::backupFolder()).mkdir(QStringLiteral("09-12-2024.copia")));
    test::script(w.dialogs, {"yes", "ok"});
    w.trigger("Copia1");
    VERIFY_DIALOGS_DONE(w.dialogs);
    QCOMPARE(w.dialogs.texts().size(), 2);
    QCOMPARE(w.dialogs.texts().first(), copyQuestion);
    const QStringList told = failureTexts(
        QStringLiteral("error: Copia non effettuata!\n"),
        {QStringLiteral("gbak:readied database %1 for backup").arg(setup::databaseFile()),
         QStringLiteral("gbak:creating file %1/09-12-2024.copia").arg(setup::backupFolder())},
        {QStringLiteral("cannot open backup file %1/09-12-2024.copia").arg(setup::backupFolder()), exiting});
    QVERIFY2(told.contains(w.dialogs.texts().last()), qPrintable(w.dialogs.texts().last()));
}

// The folder of the copies cannot be made: what to check, and no copy.
void TestServices::copyFolderRefused()
{
    ServerWorkstation w;
    QVERIFY(QDir(setup::backupFolder()).removeRecursively());
    QFile blocker(setup::backupFolder());
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    test::script(w.dialogs, {"yes", "ok"});
    w.trigger("Copia1");
    VERIFY_DIALOGS_DONE(w.dialogs);
    QCOMPARE(w.dialogs.texts(),
             (QStringList{copyQuestion,
                          QStringLiteral("error: Copia non effettuata!\nImpossibile creare la cartella \"%1\".\n"
                                         "Controllare la cartella \"%2\" e i suoi permessi: l'utente che avvia il "
                                         "programma deve poterci leggere e scrivere e, dove le cartelle di Velmora "
                                         "sono condivise con un gruppo, farne parte (chi vi è appena stato aggiunto "
                                         "deve uscire dalla sessione e rientrare). Controllare anche che il disco "
                                         "non sia pieno.\nNot a directory")
                              .arg(setup::backupFolder(), w.root.root() + QStringLiteral("Velmora"))}));
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
    const QString bad = notACopy();
    test::script(w.dialogs, {"yes", "yes"});
    w.dialogs.file(bad);
    test::script(w.dialogs, {"ok"});
    w.trigger("Ripristino1");
    VERIFY_DIALOGS_DONE(w.dialogs);
    const QStringList told =
        failureTexts(QStringLiteral("error: Ripristino non effettuato!\n"), {QStringLiteral("gbak:opened file ") + bad},
                     {QStringLiteral("expected backup description record"), exiting});
    QVERIFY2(told.contains(w.dialogs.texts().last()), qPrintable(w.dialogs.texts().last()));
    QVERIFY(!w.frm->programEnded());
    QVERIFY(w.dm.connected());
    QVERIFY(w.frm->Timer_scad.isActive());
    QVERIFY(w.frm->timer_sms.isActive());
    // No notification area here (offscreen): the window is the way in again.
    QVERIFY(w.frm->isVisible());
    QCOMPARE(w.rows(), QStringList{QStringLiteral("02/09/2024 Collegio")});
}

// A restore of copy that fails with cause, on a workstation that cannot
// reach its database afterwards: the error box, then the window back saying
// there is no database to show; the program goes on as one that lost its
// connection, trying by itself, its timers off.
namespace {

void restoreFailsOffline(ServerWorkstation &w, const QString &copy, const QString &cause)
{
    test::script(w.dialogs, {"yes", "yes"});
    w.dialogs.file(copy);
    test::script(w.dialogs, {"ok", "ok"});
    w.trigger("Ripristino1");
    VERIFY_DIALOGS_DONE(w.dialogs);
    QCOMPARE(w.dialogs.texts().mid(w.dialogs.texts().size() - 2),
             (QStringList{QStringLiteral("error: Ripristino non effettuato!\n") + cause, notConnectedBox}));
    QVERIFY(!w.frm->programEnded());
    QVERIFY(!w.dm.connected());
    QVERIFY(w.frm->timer_connetti.isActive());
    QCOMPARE(w.frm->timer_connetti.interval(), Tfrm_menu::reconnectMs);
    QVERIFY(!w.frm->Timer_scad.isActive());
    QVERIFY(!w.frm->timer_sms.isActive());
    QVERIFY(w.frm->isVisible());
}

} // namespace

// The workstation cannot connect again after a failed restore: it goes on
// as one that lost its connection, trying by itself.
void TestServices::restoreReconnectFails()
{
    ServerWorkstation w;
    w.insert(QStringLiteral("09/02/2024"), QStringLiteral("Collegio"));
    const QString bad = notACopy();
    // Nobody listens there: neither the service nor the connection gets through.
    const QString nowhere = QStringLiteral("%1/1").arg(QLatin1String(test::listenHost));
    w.dm.databaseName = nowhere + QLatin1Char(':') + setup::databaseFile();
    fb::Service refused(fb::Service::Action::Restore);
    QString serverText;
    try {
        refused.run({nowhere}, Tdm::login(), {}, std::atomic<bool>{false});
    } catch (const fb::Error &e) {
        serverText = e.text();
    }
    QVERIFY(!serverText.isEmpty());
    restoreFailsOffline(w, bad, serverText);
    if (QTest::currentTestFailed())
        return;
    w.dm.databaseName = setup::databaseFile();
    w.dm.connect();
    QCOMPARE(w.rows(), QStringList{QStringLiteral("02/09/2024 Collegio")});
}

// The server went away under the workstation: the disconnection before the
// restore fails, nothing is restored, and the workstation goes on as one
// that lost its connection, trying by itself.
void TestServices::restoreDisconnectFails()
{
    if (!test::fbServerRunning())
        QSKIP("no Firebird server on loopback");
    test::TcpProxy proxy(3050);
    ServerWorkstation w(QStringLiteral("%1/%2").arg(QLatin1String(test::listenHost)).arg(proxy.port()));
    w.insert(QStringLiteral("09/02/2024"), QStringLiteral("Collegio"));
    const QStringList before = w.rows();
    const QString bad = notACopy();
    proxy.cut();
    restoreFailsOffline(w, bad, QStringLiteral("Error reading data from the connection."));
    if (QTest::currentTestFailed())
        return;
    QVERIFY(!QFile::exists(maintenance::scratchFile(setup::databaseFile())));
    Tdm reader;
    reader.databaseName = test::fbServerAddress() + QLatin1Char(':') + setup::databaseFile();
    reader.connect();
    QCOMPARE(rowsOf(reader), before);
}

// A quit request (the session ends) while the copy is being restored: the
// program ends at once, and the database it leaves is the one it had.
void TestServices::quitDuringRestore()
{
    ServerWorkstation w;
    w.insert(QStringLiteral("09/02/2024"), QStringLiteral("Collegio"));
    test::script(w.dialogs, {"yes", "ok"});
    w.trigger("Copia1");
    w.insert(QStringLiteral("10/02/2024"), QStringLiteral("Scrutini"));
    const QStringList before = w.rows();
    const QString copy = QDir(setup::backupFolder()).entryInfoList(QDir::Files).value(0).filePath();
    QVERIFY(copy.endsWith(QLatin1String(".copia")));

    bool asked = false;
    const WhileServiceRuns during([&](ProgressWindow &window) {
        QObject::connect(window.memo_servizio, &QPlainTextEdit::textChanged, &window, [&] {
            if (!asked && window.memo_servizio->toPlainText().contains(QLatin1String("created database"))) {
                asked = true;
                w.frm->closeForGood();
            }
        });
    });
    test::script(w.dialogs, {"yes", "yes"});
    w.dialogs.file(copy);
    w.trigger("Ripristino1");
    VERIFY_DIALOGS_DONE(w.dialogs);
    QVERIFY(asked);
    QCOMPARE(w.dialogs.texts().mid(2), (QStringList{QStringLiteral("question: Avviare il ripristino del database?"),
                                                   QStringLiteral("question: Confermare ripristino?"),
                                                   QStringLiteral("openFile: Ripristino")}));
    QVERIFY(w.frm->programEnded());
    QVERIFY(!QFile::exists(maintenance::scratchFile(setup::databaseFile())));
    w.dm.connect();
    QCOMPARE(w.rows(), before);
}

void TestServices::entriesHeldWhileRunning_data()
{
    QTest::addColumn<QString>("entry");
    QTest::newRow("copy") << "Copia1";
    QTest::newRow("restore") << "Ripristino1";
}

// While a service runs, the tray's menu offers neither another service nor
// the closing; both come back after it.
void TestServices::entriesHeldWhileRunning()
{
    QFETCH(QString, entry);
    ServerWorkstation w;
    QAction *services = w.frm->pop_menu->findChild<QAction *>(QStringLiteral("v_servizi"));
    QAction *closing = w.frm->pop_menu->findChild<QAction *>(QStringLiteral("Chiudiappluicazione1"));
    QList<bool> held;
    const WhileServiceRuns during([&](ProgressWindow &) { held << services->isEnabled() << closing->isEnabled(); });
    if (entry == QLatin1String("Copia1")) {
        test::script(w.dialogs, {"yes", "ok"});
    } else {
        test::script(w.dialogs, {"yes", "yes"});
        w.dialogs.file(notACopy());
        test::script(w.dialogs, {"ok"});
    }
    w.trigger(entry.toLatin1().constData());
    VERIFY_DIALOGS_DONE(w.dialogs);
    QCOMPARE(held, (QList<bool>{false, false}));
    QVERIFY(services->isEnabled());
    QVERIFY(closing->isEnabled());
}

// A missing folder of the copies is made shared with the group, so that the
// server (another user, of that group) may write the copy in it.
void TestServices::copyMakesSharedFolder()
{
    ServerWorkstation w;
    QVERIFY(QDir(setup::backupFolder()).removeRecursively());
    test::script(w.dialogs, {"yes", "ok"});
    w.trigger("Copia1");
    VERIFY_DIALOGS_DONE(w.dialogs);
    struct stat st {};
    QCOMPARE(::stat(QFile::encodeName(setup::backupFolder()).constData(), &st), 0);
    QCOMPARE(st.st_mode & 07777, mode_t(02770));
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
