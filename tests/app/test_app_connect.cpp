// The ticks of timer_connetti: connecting, the lists the timers use, the
// start with the session, and the silent retries of a workstation that
// cannot reach its server.
#include "MainWindow.h"
#include "app/Fmenu.h"
#include "db/Fdm.h"
#include "platform/Autostart.h"
#include "support/ScriptedDialogs.h"
#include "support/TempDatabase.h"

#include <QMenu>
#include <QTabWidget>
#include <QtTest>

#include <optional>

using namespace velmora;
using velmora::test::ScriptedDialogs;

namespace {

const QString key = QStringLiteral("10.0.0.7");

struct Workstation : test::MainWindow {
    explicit Workstation(const QByteArray &connectionFile) : MainWindow(connectionFile, key) {}
};

} // namespace

class TestConnectTick : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void givesUp_data();
    void givesUp();
    void connects();
    void iconShowsDeadlines();
    void autostartKept_data();
    void autostartKept();
};

void TestConnectTick::givesUp_data()
{
    QTest::addColumn<QByteArray>("connectionFile");
    QTest::newRow("unreachable server") << QByteArray("127.0.0.2/1:/nowhere.fdb\n");
    QTest::newRow("empty first line") << QByteArray("\n127.0.0.2/1:/nowhere.fdb\n");
    QTest::newRow("no such database") << QByteArray("/nowhere/Velmora.FDB\n");
}

// 21 attempts, then the menu without a connection; nothing is shown.
void TestConnectTick::givesUp()
{
    QFETCH(QByteArray, connectionFile);
    Workstation w(connectionFile);
    for (int attempt = 1; attempt <= 20; ++attempt) {
        w.frm->connectTick();
        QVERIFY2(w.frm->timer_connetti.isActive(), qPrintable(QString::number(attempt)));
        QVERIFY(!w.frm->icona->contextMenu());
        QCOMPARE(w.frm->icona->toolTip(), QStringLiteral("Connessione in corso..."));
    }
    w.frm->connectTick();
    QVERIFY(!w.frm->timer_connetti.isActive());
    QCOMPARE(w.frm->icona->contextMenu(), w.frm->pop_menu);
    QCOMPARE(w.frm->icona->toolTip(), QStringLiteral("Velmora - Gestione scadenze"));
    QVERIFY(!w.frm->Timer_scad.isActive());
    QVERIFY(!w.frm->timer_sms.isActive());
    QVERIFY(!w.dm.connected());
    QVERIFY(!autostart::value());

    // Without a connection a click on the icon does nothing.
    Q_EMIT w.frm->icona->activated(QSystemTrayIcon::Trigger);
    QVERIFY(!w.frm->isVisible());
    QVERIFY(w.dialogs.shown().isEmpty());
}

void TestConnectTick::connects()
{
    const test::TempDatabase db;
    db.exec({QStringLiteral("INSERT INTO client(utente, pc) VALUES('Bianchi Anna', '10.0.0.8')"),
             QStringLiteral("INSERT INTO client(utente, pc) VALUES('Rossi Maria', '10.0.0.7')")});
    Workstation w((db.file() + QLatin1Char('\n')).toUtf8());

    w.frm->connectTick();
    QVERIFY(w.dm.connected());
    QCOMPARE(w.dm.databaseName, db.file());
    QVERIFY(!w.frm->timer_connetti.isActive());
    QVERIFY(w.frm->Timer_scad.isActive());
    QVERIFY(w.frm->timer_sms.isActive());
    QCOMPARE(w.frm->icona->contextMenu(), w.frm->pop_menu);
    QCOMPARE(w.frm->icona->toolTip(), QStringLiteral("Velmora - Gestione scadenze"));
    QVERIFY(w.dm.t_sca_timer.isOpen());
    QCOMPARE(w.dm.t_sca_timer.sql(),
             QStringLiteral("select data, ora, scadenza, mail, letto, pc, id from scadenze "
                            "WHERE (pc='tutti' OR pc='10.0.0.7') ORDER BY data,ora"));
    QVERIFY(w.dm.t_sms.isOpen());
    QCOMPARE(w.dm.t_sms.sql(), QStringLiteral("select * from messaggi"));
    QCOMPARE(w.frm->workstationUser(), QStringLiteral("Rossi Maria"));
    QCOMPARE(autostart::value(), std::optional<QString>(QCoreApplication::applicationFilePath()));
    QVERIFY(w.dialogs.shown().isEmpty());
}

void TestConnectTick::iconShowsDeadlines()
{
    const test::TempDatabase db;
    Workstation w((db.file() + QLatin1Char('\n')).toUtf8());
    w.frm->connectTick();
    w.frm->showPage(w.frm->p_feste);
    w.frm->close();

    Q_EMIT w.frm->icona->activated(QSystemTrayIcon::Trigger);
    QVERIFY(w.frm->isVisible());
    QVERIFY(!w.frm->isMinimized());
    QCOMPARE(w.frm->pgc_menu->currentWidget(), w.frm->p_scadenze);
    for (int i = 0; i < w.frm->pgc_menu->count(); ++i)
        QCOMPARE(w.frm->pgc_menu->isTabVisible(i), w.frm->pgc_menu->widget(i) == w.frm->p_scadenze);

    w.frm->close();
    w.frm->pop_menu->findChild<QAction *>(QStringLiteral("v_scad"))->trigger();
    QVERIFY(!w.frm->isMinimized());
    QCOMPARE(w.frm->pgc_menu->currentWidget(), w.frm->p_scadenze);
    QVERIFY(w.dialogs.shown().isEmpty());
}

void TestConnectTick::autostartKept_data()
{
    QTest::addColumn<QString>("existing");
    QTest::newRow("another path") << QStringLiteral("/opt/altro/velmora");
    QTest::newRow("switched off") << QCoreApplication::applicationFilePath() + QLatin1Char('e');
}

void TestConnectTick::autostartKept()
{
    QFETCH(QString, existing);
    const test::TempDatabase db;
    Workstation w((db.file() + QLatin1Char('\n')).toUtf8());
    QVERIFY(autostart::write(existing));
    w.frm->connectTick();
    QVERIFY(w.frm->Timer_scad.isActive());
    QCOMPARE(autostart::value(), std::optional<QString>(existing));
}

QTEST_MAIN(TestConnectTick)
#include "test_app_connect.moc"
