// The holiday page: its controls, the row lock, the insert / change /
// delete chains and what the editor and calendar read after a change.
#include "PageFixture.h"
#include "TableFixture.h"
#include "db/Texts.h"
#include "tables/HolidayPage.h"

#include <QAccessible>

using namespace velmora;
using namespace velmora::test;

namespace {

const QString rowsSql = QStringLiteral("select giorno, mese, festa from festivita order by id");
const QString missing = QStringLiteral("warning: Dati mancanti!");
const QString selectModify = QStringLiteral("warning: Selezionare prima la festività da modificare!");
const QString selectRemove = QStringLiteral("warning: Selezionare prima la festività da eliminare!");
const QString askInsert = QStringLiteral("question: Confermi INSERIMENTO?");
const QString askModify = QStringLiteral("question: Confermi MODIFICA?");
const QString askRemove = QStringLiteral("question: Confermi ELIMINAZIONE?");

struct Desk {
    std::unique_ptr<Tdm> dm;
    std::unique_ptr<HolidayPage> page;
    Desk(const TempDatabase &db, const QString &key) : dm(db.connect(key)), page(std::make_unique<HolidayPage>(*dm))
    {
        QVERIFY(page->open());
    }
    void type(int day, int month, const QString &text)
    {
        page->cmb_gg->setCurrentIndex(day - 1);
        page->cmb_mm->setCurrentIndex(month - 1);
        page->edt_festa->setText(text);
    }
    bool empty() const
    {
        return page->cmb_gg->currentIndex() < 0 && page->cmb_mm->currentIndex() < 0 && page->edt_festa->text().isEmpty();
    }
};

} // namespace

class TestHolidays : public QObject {
    Q_OBJECT

    std::unique_ptr<TempDatabase> m_db;

private Q_SLOTS:
    void init()
    {
        m_db = std::make_unique<TempDatabase>();
    }

    void controls()
    {
        ScriptedDialogs d;
        Desk w(*m_db, thisPc);
        HolidayPage &p = *w.page;
        QCOMPARE(p.cmb_gg->count(), 31);
        QCOMPARE(p.cmb_gg->itemText(30), QStringLiteral("31"));
        QCOMPARE(p.cmb_mm->count(), 12);
        QVERIFY(!p.cmb_gg->isEditable());
        QCOMPARE(p.cmb_mm->maxVisibleItems(), 15);
        QVERIFY(w.empty());
        QStringList buttons;
        for (QPushButton *b : {p.BitBtn3, p.BitBtn2, p.BitBtn1, p.bbt_pul_festa, p.BitBtn6, p.bbt_sta_fest})
            buttons << b->objectName() + QLatin1Char('=') + b->text();
        QCOMPARE(buttons, (QStringList{"BitBtn3=Inserisci", "BitBtn2=Modifica", "BitBtn1=Elimina", "bbt_pul_festa=Pulisci",
                                       "BitBtn6=Esci", QStringLiteral("bbt_sta_fest=Stampa elenco festività")}));
        QVERIFY(!p.bbt_sta_fest->isEnabled());
        // The buttons stand on one panel, left to right in their order.
        QCOMPARE(p.BitBtn3->parentWidget(), p.BitBtn6->parentWidget());
        p.resize(1000, 600);
        p.show();
        QVERIFY(QTest::qWaitForWindowExposed(&p));
        QVERIFY(p.BitBtn3->x() < p.BitBtn2->x() && p.BitBtn2->x() < p.BitBtn1->x()
                && p.BitBtn1->x() < p.bbt_pul_festa->x() && p.bbt_pul_festa->x() < p.BitBtn6->x());
        QCOMPARE(QAccessible::queryAccessibleInterface(p.edt_festa)->text(QAccessible::Name),
                 QStringLiteral("Descrizione festività"));
        QCOMPARE(QAccessible::queryAccessibleInterface(p.cmb_gg)->text(QAccessible::Name), QStringLiteral("Giorno"));
        QCOMPARE(QAccessible::queryAccessibleInterface(p.cmb_mm)->text(QAccessible::Name), QStringLiteral("Mese"));
        // Text pasted beyond the column is cut at 70 characters.
        p.edt_festa->insert(QString(90, QLatin1Char('x')));
        QCOMPARE(p.edt_festa->text().size(), 70);
        const QAbstractItemModel *m = p.dbg_feste->model();
        QStringList titles;
        for (int c = 0; c < m->columnCount(); ++c)
            titles << m->headerData(c, Qt::Horizontal).toString();
        QCOMPARE(titles, (QStringList{"GIORNO", "MESE", "FESTA", "ID"}));
        QVERIFY(m->headerData(0, Qt::Horizontal, Qt::FontRole).value<QFont>().bold());
        VERIFY_DIALOGS_DONE(d);
    }

    // The tab key goes as the eye: the grid, the fields, the buttons, the print button.
    void tabOrder()
    {
        ScriptedDialogs d;
        Desk w(*m_db, thisPc);
        QCOMPARE(tabStops(w.page.get(), w.page->dbg_feste),
                 (QStringList{"dbg_feste", "cmb_gg", "cmb_mm", "edt_festa", "BitBtn3", "BitBtn2", "BitBtn1", "bbt_pul_festa",
                              "BitBtn6", "bbt_sta_fest"}));
        VERIFY_DIALOGS_DONE(d);
    }

    void insertAsTyped()
    {
        ScriptedDialogs d;
        Desk w(*m_db, thisPc);
        const QString text = QStringLiteral("Festa dell'Unità \"d'Italia\" ''");
        w.type(31, 2, text);
        d.yes();
        press(w.page->BitBtn3);
        QCOMPARE(d.texts(), QStringList{askInsert});
        QCOMPARE(tableRows(*m_db, rowsSql), QStringList{QStringLiteral("31|2|") + text});
        QVERIFY(w.empty());
        QVERIFY(!w.dm->tr_blocca.active());
        QCOMPARE(w.page->dbg_feste->model()->rowCount(), 1);
        VERIFY_DIALOGS_DONE(d);
    }

    void missingFields_data()
    {
        QTest::addColumn<int>("day");
        QTest::addColumn<int>("month");
        QTest::addColumn<QString>("text");
        QTest::newRow("no day") << 0 << 5 << QStringLiteral("Festa");
        QTest::newRow("no month") << 5 << 0 << QStringLiteral("Festa");
        QTest::newRow("no description") << 5 << 5 << QString();
    }

    void missingFields()
    {
        QFETCH(int, day);
        QFETCH(int, month);
        QFETCH(QString, text);
        m_db->exec({QStringLiteral("INSERT INTO festivita(giorno, mese, festa) VALUES(1, 1, 'Capodanno')")});
        ScriptedDialogs d;
        Desk w(*m_db, thisPc);
        w.type(day, month, text);
        d.ok().ok().ok();
        press(w.page->BitBtn3);
        press(w.page->BitBtn2);
        press(w.page->BitBtn1);
        QCOMPARE(d.texts(), (QStringList{missing, selectModify, selectRemove}));
        QCOMPARE(tableRows(*m_db, rowsSql), QStringList{QStringLiteral("1|1|Capodanno")});
        VERIFY_DIALOGS_DONE(d);
    }

    void emptyTable()
    {
        ScriptedDialogs d;
        Desk w(*m_db, thisPc);
        clickRow(w.page->dbg_feste, 0);
        QVERIFY(!w.dm->tr_blocca.active());
        // Fields chosen by hand on an empty table: there is no row to act on.
        w.type(1, 1, QStringLiteral("Capodanno"));
        d.ok().ok();
        press(w.page->BitBtn2);
        press(w.page->BitBtn1);
        QCOMPARE(d.texts(), (QStringList{selectModify, selectRemove}));
        VERIFY_DIALOGS_DONE(d);
    }

    void clickHoldsAndFills()
    {
        m_db->exec({QStringLiteral("INSERT INTO festivita(giorno, mese, festa) VALUES(25, 12, 'Natale')"),
                    QStringLiteral("INSERT INTO festivita(giorno, mese, festa) VALUES(6, 1, 'Epifania')")});
        ScriptedDialogs d;
        Desk a(*m_db, thisPc);
        Desk b(*m_db, otherPc);
        clickRow(a.page->dbg_feste, 1);   // by month: Epifania first, Natale second
        QCOMPARE(a.page->edt_festa->text(), QStringLiteral("Natale"));
        QCOMPARE(a.page->cmb_gg->currentText(), QStringLiteral("25"));
        QCOMPARE(a.page->cmb_mm->currentText(), QStringLiteral("12"));
        QVERIFY(a.dm->tr_blocca.active());

        // The other workstation is refused the same row and gets nothing.
        b.type(3, 3, QStringLiteral("scritto prima"));
        d.ok();
        clickRow(b.page->dbg_feste, 1);
        QCOMPARE(d.texts(), QStringList{QStringLiteral("plain: Record bloccato da un altro utente!")});
        QVERIFY(b.empty());
        // ... and a change of it fails at once.
        b.type(26, 12, QStringLiteral("Santo Stefano"));
        d.yes().ok();
        press(b.page->BitBtn2);
        QCOMPARE(d.texts().last(), QStringLiteral("information: Modifica non effettuabile...probabile duplicazione chiave!"));
        QCOMPARE(b.page->edt_festa->text(), QStringLiteral("Santo Stefano"));

        // Pulisci gives the row back: now the other one can take it.
        press(a.page->bbt_pul_festa);
        QVERIFY(a.empty());
        QVERIFY(!a.dm->tr_blocca.active());
        clickRow(b.page->dbg_feste, 1);
        QCOMPARE(b.page->edt_festa->text(), QStringLiteral("Natale"));
        VERIFY_DIALOGS_DONE(d);
    }

    void modifyAndRemove()
    {
        m_db->exec({QStringLiteral("INSERT INTO festivita(giorno, mese, festa) VALUES(25, 12, 'Natale')"),
                    QStringLiteral("INSERT INTO festivita(giorno, mese, festa) VALUES(6, 1, 'Epifania')")});
        ScriptedDialogs d;
        Desk w(*m_db, thisPc);
        clickRow(w.page->dbg_feste, 1);
        w.type(26, 12, QStringLiteral("Santo Stefano d'inverno"));
        d.no().yes();
        press(w.page->BitBtn2);   // No: nothing changes, the row stays held
        QVERIFY(w.dm->tr_blocca.active());
        press(w.page->BitBtn2);
        QCOMPARE(d.texts(), (QStringList{askModify, askModify}));
        QCOMPARE(tableRows(*m_db, rowsSql),
                 (QStringList{QStringLiteral("26|12|Santo Stefano d'inverno"), QStringLiteral("6|1|Epifania")}));
        QVERIFY(w.empty());
        QVERIFY(!w.dm->tr_blocca.active());
        // The list stands on the changed row.
        QCOMPARE(w.dm->t_fes.value(QStringLiteral("festa")).toString(), QStringLiteral("Santo Stefano d'inverno"));

        clickRow(w.page->dbg_feste, 0);
        d.yes();
        press(w.page->BitBtn1);
        QCOMPARE(d.texts().last(), askRemove);
        QCOMPARE(tableRows(*m_db, rowsSql), QStringList{QStringLiteral("26|12|Santo Stefano d'inverno")});
        QCOMPARE(w.page->dbg_feste->model()->rowCount(), 1);
        QVERIFY(w.empty());
        VERIFY_DIALOGS_DONE(d);
    }

    // The calendar and the editor search the same list: the page still
    // changes the row it holds.
    void listMovedElsewhere()
    {
        m_db->exec({QStringLiteral("INSERT INTO festivita(giorno, mese, festa) VALUES(25, 12, 'Natale')"),
                    QStringLiteral("INSERT INTO festivita(giorno, mese, festa) VALUES(6, 1, 'Epifania')")});
        ScriptedDialogs d;
        Desk w(*m_db, thisPc);
        clickRow(w.page->dbg_feste, 1);
        QVERIFY(w.dm->t_fes.locate(QStringLiteral("giorno;mese"), {qlonglong(6), qlonglong(1)}, false));
        w.dm->t_fes.close();
        w.dm->open(w.dm->t_fes, sql::holidays());
        w.page->edt_festa->setText(QStringLiteral("Natale del Signore"));
        d.yes();
        press(w.page->BitBtn2);
        QCOMPARE(tableRows(*m_db, rowsSql), (QStringList{QStringLiteral("25|12|Natale del Signore"), QStringLiteral("6|1|Epifania")}));
        VERIFY_DIALOGS_DONE(d);
    }

    // The search after an insert ignores case and stops on the first match.
    void insertFindsFirstMatch()
    {
        m_db->exec({QStringLiteral("INSERT INTO festivita(giorno, mese, festa) VALUES(1, 5, 'PONTE')")});
        ScriptedDialogs d;
        Desk w(*m_db, thisPc);
        w.type(2, 6, QStringLiteral("Ponte"));
        d.yes();
        press(w.page->BitBtn3);
        QCOMPARE(w.dm->t_fes.row(), 0);
        QCOMPARE(w.page->dbg_feste->currentIndex().row(), 0);
        // Modifica now acts on the row the search found.
        w.type(2, 5, QStringLiteral("Ponte di maggio"));
        d.yes();
        press(w.page->BitBtn2);
        QCOMPARE(tableRows(*m_db, rowsSql), (QStringList{QStringLiteral("2|5|Ponte di maggio"), QStringLiteral("2|6|Ponte")}));
        VERIFY_DIALOGS_DONE(d);
    }

    void notConnected()
    {
        ScriptedDialogs d;
        Tdm dm;
        dm.databaseName = m_db->folder() + QStringLiteral("/missing.fdb");
        HolidayPage page(dm);
        d.ok();
        QVERIFY(!page.open());
        QCOMPARE(d.shown().size(), 1);
        QCOMPARE(d.shown().first().kind, QStringLiteral("warning"));
        QVERIFY(d.shown().first().text.startsWith(notConnectedWarning() + QLatin1Char('\n')));
        QVERIFY(d.shown().first().text.size() > notConnectedWarning().size() + 1);
        VERIFY_DIALOGS_DONE(d);
    }

    // The editor's question and the calendar read the holiday just stored.
    void editorAndCalendarFollow()
    {
        SettableClock clock(standingNow());
        ScriptedDialogs d;
        Workstation ws(*m_db, thisPc);
        ws.show();
        HolidayPage page(*ws.dm);
        QVERIFY(page.open());
        page.cmb_gg->setCurrentIndex(24);
        page.cmb_mm->setCurrentIndex(11);
        page.edt_festa->setText(QStringLiteral("Natale"));
        d.yes();
        press(page.BitBtn3);

        ws.page->calendar->calendario->setDay(25);
        QCOMPARE(ws.page->calendar->pnl_festa->text(), QStringLiteral("Natale"));
        ws.fill(QStringLiteral("Auguri"), QStringLiteral("25/12/2026"), QStringLiteral("09"), QStringLiteral("00"));
        d.no();
        Workstation::click(ws.editor().bbt_ins);
        QCOMPARE(d.texts().last(), QStringLiteral("question: Il giorno risulta essere festivo, confermare ugualmente?"));
        VERIFY_DIALOGS_DONE(d);
    }
};

QTEST_MAIN(TestHolidays)
#include "test_holidays.moc"
