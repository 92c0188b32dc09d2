// The table pages as the main window opens them on a connected workstation,
// and what the deadline page shows after a yearly generation.
#include "MainWindow.h"
#include "app/Fmenu.h"
#include "db/Fdm.h"
#include "messages/Fsms.h"
#include "support/ScriptedDialogs.h"
#include "support/SettableClock.h"
#include "support/TempDatabase.h"

#include <QHeaderView>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTabWidget>
#include <QTableView>
#include <QtTest>

#include <optional>

using namespace velmora;
using velmora::test::ScriptedDialogs;

namespace {

// A workstation connected by its own connection step.
struct Workstation : test::MainWindow {
    explicit Workstation(const test::TempDatabase &db) : MainWindow(test::connectionTo(db))
    {
        frm->connectTick();
    }

    // The rows a grid shows (its model reads the set as it stands).
    int shownRows(const char *grid) const
    {
        return frm->findChild<QTableView *>(QLatin1String(grid))->verticalHeader()->count();
    }
};

} // namespace

class TestAppTables : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void opened_data()
    {
        QTest::addColumn<QString>("entry");
        QTest::addColumn<QString>("page");
        QTest::addColumn<QString>("grid");
        QTest::addColumn<QString>("row");
        QTest::newRow("holidays") << "Festivit1" << "p_feste" << "dbg_feste"
                                  << "INSERT INTO festivita (giorno, mese, festa) VALUES (25, 12, 'Natale')";
        QTest::newRow("annual deadlines") << "Scadenzeannuali1" << "p_sca_ann" << "SMDBGrid3"
                                          << "INSERT INTO annuali (giorno, mese, ora, scadenza) VALUES (1, 9, '08.00', 'Inizio')";
        QTest::newRow("users") << "UtentiPC1" << "p_pc" << "SMDBGrid2"
                               << "INSERT INTO client (utente, pc) VALUES ('Rossi Maria', '10.0.0.8')";
    }
    // Connected, the entry shows the window with its page alone, the grid filled.
    void opened()
    {
        QFETCH(QString, entry);
        QFETCH(QString, page);
        QFETCH(QString, grid);
        QFETCH(QString, row);
        const test::TempDatabase db;
        db.exec({row});
        Workstation w(db);
        QVERIFY(w.dm.connected());
        w.trigger(qPrintable(entry));
        QVERIFY(w.frm->isVisible());
        QCOMPARE(w.visibleTabs(), QStringList{page});
        QCOMPARE(w.frm->pgc_menu->currentWidget()->objectName(), page);
        QCOMPARE(w.shownRows(qPrintable(grid)), 1);
        VERIFY_DIALOGS_DONE(w.dialogs);
    }

    // A generation for the current year: the day list and the calendar's
    // list show today's new deadline at once, not at the next minute's scan.
    void generationShownAtOnce()
    {
        const test::TempDatabase db;
        db.exec({"INSERT INTO annuali (giorno, mese, ora, scadenza) VALUES (10, 12, '11.00', 'Consiglio')",
                 "INSERT INTO annuali (giorno, mese, ora, scadenza) VALUES (15, 12, '09.00', 'Pagelle')"});
        test::SettableClock clock(QDateTime(QDate(2026, 12, 10), QTime(10, 30)));
        Workstation w(db);
        w.trigger("v_scad");
        QCOMPARE(w.shownRows("SMDBGrid1"), 0);
        w.trigger("Scadenzeannuali1");
        w.frm->findChild<QLineEdit *>(QStringLiteral("edt_anno_scad"))->setText(QStringLiteral("2026"));
        w.dialogs.yes().ok();
        QTest::mouseClick(w.frm->findChild<QPushButton *>(QStringLiteral("BitBtn18")), Qt::LeftButton);
        QCOMPARE(w.dialogs.texts(), (QStringList{"question: Confermi operazione?", "information: Operazione effettuata!"}));
        QCOMPARE(w.dm.t_sca_gg.rowCount(), 1);
        QCOMPARE(w.shownRows("SMDBGrid1"), 1);
        QCOMPARE(w.dm.t_sca_timer.rowCount(), 2);
        QCOMPARE(w.shownRows("dbg_scad"), 2);
        VERIFY_DIALOGS_DONE(w.dialogs);
    }
};

QTEST_MAIN(TestAppTables)
#include "test_app_tables.moc"
