// The institution page and the printed lists as the main window reaches
// them: "Ente gestore", the "Stampe" entries and the deadline page's button.
#include "PdfPreview.h"
#include "MainWindow.h"
#include "app/Fmenu.h"
#include "db/Fdm.h"
#include "db/Upgrade.h"
#include "deadlines/DeadlinePage.h"
#include "institution/InstitutionPage.h"
#include "support/ScriptedDialogs.h"
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
using namespace velmora::test;

namespace {

const QString unreachable = QStringLiteral("127.0.0.2/1:/nowhere.fdb\n");

struct Workstation : MainWindow {
    Workstation() : MainWindow(unreachable.toUtf8())
    {
        db.exec({"DELETE FROM ente",
                 "INSERT INTO ente (denom, indir, comune) VALUES ('Liceo Volta', 'Via Po 2', 'Como')",
                 "INSERT INTO scadenze (data, ora, scadenza, pc) VALUES ('2026-05-01', '09.00', 'Gita', '10.0.0.7')",
                 "INSERT INTO scadenze (data, ora, scadenza, pc) VALUES ('2026-05-02', '10.00', 'Collegio', 'tutti')",
                 "INSERT INTO festivita (giorno, mese, festa) VALUES (25, 12, 'Natale')",
                 "INSERT INTO annuali (giorno, mese, ora, scadenza) VALUES (20, 3, '09.00', 'Inventario')"});
        connectTo(db);
    }

    TempDatabase db;
};

} // namespace

class TestAppPrint : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void institutionEntry()
    {
        Workstation w;
        w.trigger("Entegestore1");
        QVERIFY(w.frm->isVisible());
        QCOMPARE(w.visibleTabs(), QStringList{"p_ente"});
        auto *denom = w.frm->p_ente->findChild<QLineEdit *>(QStringLiteral("edt_denom"));
        QCOMPARE(denom->text(), QStringLiteral("Liceo Volta"));
        // The page fits the window, which fits a 1366 by 768 screen.
        auto *page = w.frm->p_ente->findChild<InstitutionPage *>();
        QVERIFY(page->minimumSizeHint().height() <= w.frm->p_ente->height());
        QVERIFY(w.frm->width() <= 1366 && w.frm->height() <= 768);
        QTest::mouseClick(w.frm->p_ente->findChild<QPushButton *>(QStringLiteral("BitBtn5")), Qt::LeftButton);
        QVERIFY(!w.frm->isVisible() || w.frm->isMinimized());
        VERIFY_DIALOGS_DONE(w.dialogs);
    }

    void menuEntries_data()
    {
        QTest::addColumn<QString>("entry");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("row");
        QTest::newRow("deadlines") << "Elencoscadenze1" << "Elenco Scadenze" << "Collegio 02/05/2026 10.00 NO";
        QTest::newRow("holidays") << "Elencofestivit1" << QStringLiteral("Elenco festività") << "Natale 25 DICEMBRE";
        QTest::newRow("annual") << "Elencoscadenzeannuali1" << "Elenco scadenze annuali" << "Inventario 20 MARZO";
    }
    // Only the preview opens, the main window stays hidden.
    void menuEntries()
    {
        QFETCH(QString, entry);
        QFETCH(QString, title);
        QFETCH(QString, row);
        Workstation w;
        PdfPreview preview;
        w.trigger(qPrintable(entry));
        QCOMPARE(preview.titles, QStringList{title});
        QVERIFY(preview.pdfs[0][0].rows().contains(row));
        QCOMPARE(preview.pdfs[0][0].rows().first(), QStringLiteral("Liceo VoltaVia Po 2 - Como"));
        QVERIFY(!w.frm->isVisible());
        VERIFY_DIALOGS_DONE(w.dialogs);
    }

    void pageButton_data()
    {
        QTest::addColumn<QString>("entry");
        QTest::addColumn<QString>("page");
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("row");
        QTest::addColumn<QString>("table");
        QTest::addColumn<QString>("warning");
        QTest::newRow("holidays") << "Festivit1" << "p_feste" << "bbt_sta_fest" << QStringLiteral("Stampa elenco festività")
                                  << QStringLiteral("Elenco festività") << "Natale 25 DICEMBRE" << "festivita"
                                  << QStringLiteral("Non ci sono festività in archivio!");
        QTest::newRow("annual") << "Scadenzeannuali1" << "p_sca_ann" << "bbt_sta_ann" << "Stampa elenco scadenze annuali"
                                << "Elenco scadenze annuali" << "Inventario 20 MARZO" << "annuali"
                                << "Non ci sono scadenze annuali in archivio!";
    }
    // A table page's button prints the page's set; an empty set only warns.
    void pageButton()
    {
        QFETCH(QString, entry);
        QFETCH(QString, page);
        QFETCH(QString, button);
        QFETCH(QString, caption);
        QFETCH(QString, title);
        QFETCH(QString, row);
        QFETCH(QString, table);
        QFETCH(QString, warning);
        Workstation w;
        PdfPreview preview;
        w.trigger(qPrintable(entry));
        auto *print = w.frm->findChild<QWidget *>(page)->findChild<QPushButton *>(button);
        QVERIFY(print->isEnabled());
        QCOMPARE(print->text(), caption);
        QTest::mouseClick(print, Qt::LeftButton);
        QCOMPARE(preview.titles, QStringList{title});
        QVERIFY(preview.pdfs[0][0].rows().contains(row));

        w.db.exec({"DELETE FROM " + table});
        w.trigger(qPrintable(entry));
        w.dialogs.ok();
        QTest::mouseClick(print, Qt::LeftButton);
        QCOMPARE(w.dialogs.texts(), QStringList{"warning: " + warning});
        QCOMPARE(preview.titles.size(), 1);
        VERIFY_DIALOGS_DONE(w.dialogs);
    }

    void entryRefreshesThePage_data()
    {
        QTest::addColumn<QString>("entry");
        QTest::addColumn<QString>("page");
        QTest::addColumn<QString>("insert");
        QTest::addColumn<QString>("printEntry");
        QTest::addColumn<QString>("row");
        QTest::newRow("holidays") << "Festivit1" << "p_feste"
                                  << "INSERT INTO festivita (giorno, mese, festa) VALUES (1, 1, 'Capodanno')"
                                  << "Elencofestivit1" << "Capodanno 1 GENNAIO";
        QTest::newRow("annual") << "Scadenzeannuali1" << "p_sca_ann"
                                << "INSERT INTO annuali (giorno, mese, ora, scadenza) VALUES (1, 1, '08.00', 'Bilancio')"
                                << "Elencoscadenzeannuali1" << "Bilancio 1 GENNAIO";
    }
    // The menu entry reads the table anew: the page on screen shows it too.
    void entryRefreshesThePage()
    {
        QFETCH(QString, entry);
        QFETCH(QString, page);
        QFETCH(QString, insert);
        QFETCH(QString, printEntry);
        QFETCH(QString, row);
        Workstation w;
        PdfPreview preview;
        w.trigger(qPrintable(entry));
        // The rows the grid shows: its model reads the set as it stands.
        const QHeaderView *rows = w.frm->findChild<QWidget *>(page)->findChild<QTableView *>()->verticalHeader();
        QCOMPARE(rows->count(), 1);
        w.db.exec({insert});
        w.trigger(qPrintable(printEntry));
        QCOMPARE(rows->count(), 2);
        QCOMPARE(preview.pdfs[0][0].rows().filter("GENNAIO"), QStringList{row});
    }

    // The button prints the list as the search left it.
    void deadlineButton()
    {
        Workstation w;
        PdfPreview preview;
        w.dialogs.yes();   // the past deadlines: mark them seen
        w.trigger("v_scad");
        QTest::keyClicks(w.frm->p_scadenze->findChild<QLineEdit *>(QStringLiteral("edt_cscad")), QStringLiteral("gita"));
        QTest::mouseClick(w.frm->p_scadenze->findChild<QPushButton *>(QStringLiteral("bbt_cerca_scad")), Qt::LeftButton);
        auto *button = w.frm->p_scadenze->findChild<QPushButton *>(QStringLiteral("bbt_sta_scad"));
        QVERIFY(button->isEnabled());
        QCOMPARE(button->text(), QStringLiteral("Stampa scadenze generali"));
        QTest::mouseClick(button, Qt::LeftButton);
        QCOMPARE(preview.titles, QStringList{"Elenco Scadenze"});
        const QStringList rows = preview.pdfs[0][0].rows();
        QVERIFY(rows.filter("2026").size() == 1 && rows.filter("2026")[0].startsWith("Gita"));
    }
};

QTEST_MAIN(TestAppPrint)
#include "test_app_print.moc"
