// The annual deadline page: its controls, the day and duplicate checks,
// the insert / change chains and the removal of the whole table.
#include "ScriptedDialogs.h"
#include "SettableClock.h"
#include "TableFixture.h"
#include "tables/AnnualPage.h"
#include "widgets/MaskedTimeEdit.h"

#include <QAbstractItemView>
#include <QAccessible>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPlainTextEdit>

#include <memory>

using namespace velmora;
using namespace velmora::test;

namespace {

const QString rowsSql = QStringLiteral("select giorno, mese, ora, scadenza from annuali order by id");
const QString missing = QStringLiteral("warning: Dati mancanti!");
const QString noDay = QStringLiteral("warning: Il giorno del mese indicato è inesistenze!");
const QString taken = QStringLiteral("warning: Scadenza già esistente in questo giorno/mese/ora...inserimento non consentito!");
const QString askInsert = QStringLiteral("question: Confermi INSERIMENTO?");
const QString askModify = QStringLiteral("question: Confermi MODIFICA?");
const QString askRemove = QStringLiteral("question: Confermi ELIMINAZIONE?");
const QString selectModify = QStringLiteral("warning: Selezionare prima la scadenza da modificare!");
const QString selectRemove = QStringLiteral("warning: Selezionare prima la scadenza da eliminare!");

struct Desk {
    std::unique_ptr<Tdm> dm;
    std::unique_ptr<AnnualPage> page;
    explicit Desk(const TempDatabase &db, const QString &key = QStringLiteral("10.0.0.1"))
        : dm(db.connect(key)), page(std::make_unique<AnnualPage>(*dm))
    {
        QVERIFY(page->open());
    }
    void type(int day, int month, const QString &time, const QString &text)
    {
        page->cmb_gg_ann->setCurrentIndex(day - 1);
        page->cmb_mm_ann->setCurrentIndex(month - 1);
        page->edt_ora_ann->setText(time);
        page->edt_sca_ann->setText(text);
    }
};

QDateTime inYear(int year)
{
    return QDateTime(QDate(year, 3, 10), QTime(9, 0));
}

} // namespace

class TestAnnual : public QObject {
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
        Desk w(*m_db);
        AnnualPage &p = *w.page;
        QCOMPARE(p.edt_ora_ann->text(), QStringLiteral("10.00"));
        QCOMPARE(p.cmb_gg_ann->count(), 31);
        QCOMPARE(p.cmb_mm_ann->count(), 12);
        QStringList hours;
        for (int i = 0; i < p.cmb_ora_ann->count(); ++i)
            hours << p.cmb_ora_ann->itemText(i);
        QCOMPARE(hours, (QStringList{"08.00", "09.00", "10.00", "11.00", "12.00", "13.00", "14.00"}));
        // Chosen on the open list, the hour goes into the time field.
        p.show();
        p.cmb_ora_ann->showPopup();
        p.cmb_ora_ann->view()->setCurrentIndex(p.cmb_ora_ann->model()->index(5, 0));
        QTest::keyClick(p.cmb_ora_ann->view(), Qt::Key_Return);
        QCOMPARE(p.edt_ora_ann->text(), QStringLiteral("13.00"));
        // Its name comes from its label, as a screen reader asks it of a list.
        const QList<std::pair<QAccessibleInterface *, QAccessible::Relation>> labels =
            QAccessible::queryAccessibleInterface(p.cmb_ora_ann)->relations(QAccessible::Label);
        QCOMPARE(labels.size(), 1);
        QCOMPARE(labels[0].first->text(QAccessible::Name), QStringLiteral("Ora proposta"));
        QCOMPARE(QAccessible::queryAccessibleInterface(p.edt_anno_scad)->text(QAccessible::Name),
                 QStringLiteral("Inserisci tutte le scadenze           annuali in elenco nell'anno"));
        QCOMPARE(tabStops(&p, p.SMDBGrid3),
                 (QStringList{"SMDBGrid3", "cmb_gg_ann", "cmb_mm_ann", "edt_ora_ann", "cmb_ora_ann", "edt_sca_ann", "BitBtn16",
                              "BitBtn15", "BitBtn14", "bbt_pul_ann", "BitBtn17", "edt_anno_scad", "BitBtn18", "bbt_sta_ann",
                              "BitBtn19"}));
        QCOMPARE(p.BitBtn18->text(), QStringLiteral(" Avvia operazione"));
        QCOMPARE(p.GroupBox_imposta->title(), QStringLiteral("IMPOSTA SCADENZE"));
        QCOMPARE(p.BitBtn19->text(), QStringLiteral("Elimina tutte le scadenze annuali"));
        QCOMPARE(p.bbt_sta_ann->text(), QStringLiteral("Stampa elenco scadenze annuali"));
        // Off on a page alone: the main window wires it to the printed list and turns it on.
        QVERIFY(!p.bbt_sta_ann->isEnabled());
        QVERIFY(p.memo_mem->isHidden());
        QVERIFY(p.memo_mem2->isHidden());
        QCOMPARE(p.edt_anno_scad->maxLength(), 4);
        QTest::keyClicks(p.edt_anno_scad, QStringLiteral("2a0x27"));
        QCOMPARE(p.edt_anno_scad->text(), QStringLiteral("2027"));
        p.edt_sca_ann->insert(QString(300, QLatin1Char('y')));
        QCOMPARE(p.edt_sca_ann->text().size(), 250);
        // Pulisci: the time back to 10.00, the year emptied.
        w.type(3, 4, QStringLiteral("08.30"), QStringLiteral("x"));
        press(p.bbt_pul_ann);
        QCOMPARE(p.edt_ora_ann->text(), QStringLiteral("10.00"));
        QVERIFY(p.edt_anno_scad->text().isEmpty());
        QVERIFY(p.edt_sca_ann->text().isEmpty());
        QCOMPARE(p.cmb_gg_ann->currentIndex(), -1);
        QCOMPARE(p.cmb_mm_ann->currentIndex(), -1);
        VERIFY_DIALOGS_DONE(d);
    }

    void insertAsTyped()
    {
        SettableClock clock(inYear(2026));
        ScriptedDialogs d;
        Desk w(*m_db);
        const QString text = QStringLiteral("Versamento dell'IVA \"trimestrale\"");
        w.type(16, 3, QStringLiteral("09.30"), text);
        w.page->edt_anno_scad->setText(QStringLiteral("2027"));
        d.yes();
        press(w.page->BitBtn16);
        QCOMPARE(d.texts(), QStringList{askInsert});
        QCOMPARE(tableRows(*m_db, rowsSql), QStringList{QStringLiteral("16|3|09.30|") + text});
        QCOMPARE(w.page->edt_ora_ann->text(), QStringLiteral("10.00"));
        QVERIFY(w.page->edt_anno_scad->text().isEmpty());
        QCOMPARE(shownRow(w.page->SMDBGrid3, 0), (QStringList{"16", "3", "09.30", text, "1"}));
        VERIFY_DIALOGS_DONE(d);
    }

    void dayCheck_data()
    {
        QTest::addColumn<int>("year");
        QTest::addColumn<int>("day");
        QTest::addColumn<int>("month");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("31 April") << 2026 << 31 << 4 << false;
        QTest::newRow("30 February") << 2028 << 30 << 2 << false;
        QTest::newRow("29 February, leap year") << 2028 << 29 << 2 << true;
        QTest::newRow("29 February, common year") << 2026 << 29 << 2 << false;
        QTest::newRow("31 December") << 2026 << 31 << 12 << true;
    }

    void dayCheck()
    {
        QFETCH(int, year);
        QFETCH(int, day);
        QFETCH(int, month);
        QFETCH(bool, accepted);
        m_db->exec({QStringLiteral("INSERT INTO annuali(giorno, mese, ora, scadenza) VALUES(1, 1, '10.00', 'Prima')")});
        SettableClock clock(inYear(year));
        ScriptedDialogs d;
        Desk w(*m_db);
        const QString stored = QStringLiteral("%1|%2|10.00|").arg(day).arg(month);

        w.type(day, month, QStringLiteral("10.00"), QStringLiteral("Nuova"));
        accepted ? d.yes() : d.ok();
        press(w.page->BitBtn16);
        QCOMPARE(d.texts().last(), accepted ? askInsert : noDay);

        clickRow(w.page->SMDBGrid3, 0);
        w.type(day, month, QStringLiteral("11.00"), QStringLiteral("Cambiata"));
        accepted ? d.yes() : d.ok();
        press(w.page->BitBtn15);
        QCOMPARE(d.texts().last(), accepted ? askModify : noDay);
        const QStringList rows = tableRows(*m_db, rowsSql);
        if (accepted)
            QCOMPARE(rows, (QStringList{QStringLiteral("%1|%2|11.00|Cambiata").arg(day).arg(month), stored + QStringLiteral("Nuova")}));
        else
            QCOMPARE(rows, QStringList{QStringLiteral("1|1|10.00|Prima")});
        VERIFY_DIALOGS_DONE(d);
    }

    void sameMoment()
    {
        m_db->exec({QStringLiteral("INSERT INTO annuali(giorno, mese, ora, scadenza) VALUES(5, 5, '10.00', 'Alle dieci')"),
                    QStringLiteral("INSERT INTO annuali(giorno, mese, ora, scadenza) VALUES(5, 5, '12.00', 'A mezzogiorno')")});
        SettableClock clock(inYear(2026));
        ScriptedDialogs d;
        Desk w(*m_db);
        // Another time on the same day is welcome; the same time is not.
        w.type(5, 5, QStringLiteral("11.00"), QStringLiteral("Alle undici"));
        d.yes();
        press(w.page->BitBtn16);
        w.type(5, 5, QStringLiteral("12.00"), QStringLiteral("Doppia"));
        d.ok();
        press(w.page->BitBtn16);
        QCOMPARE(d.texts(), (QStringList{askInsert, taken}));
        QCOMPARE(w.dm->t_ann.value(QStringLiteral("scadenza")).toString(), QStringLiteral("A mezzogiorno"));

        // A change may keep its own time, but not take another row's.
        int row = -1;
        for (int r = 0; r < 3; ++r)
            if (shownRow(w.page->SMDBGrid3, r).at(3) == QLatin1String("Alle dieci"))
                row = r;
        clickRow(w.page->SMDBGrid3, row);
        w.page->edt_ora_ann->setText(QStringLiteral("11.00"));
        d.ok();
        press(w.page->BitBtn15);
        QCOMPARE(d.texts().last(), taken);
        QVERIFY(w.dm->tr_blocca.active());
        w.page->edt_ora_ann->setText(QStringLiteral("10.00"));
        w.page->edt_sca_ann->setText(QStringLiteral("Alle dieci in punto"));
        d.yes();
        press(w.page->BitBtn15);
        QCOMPARE(tableRows(*m_db, rowsSql),
                 (QStringList{"5|5|10.00|Alle dieci in punto", "5|5|12.00|A mezzogiorno", "5|5|11.00|Alle undici"}));
        VERIFY_DIALOGS_DONE(d);
    }

    void missingFields_data()
    {
        QTest::addColumn<int>("day");
        QTest::addColumn<int>("month");
        QTest::addColumn<QString>("text");
        QTest::newRow("no day") << 0 << 5 << QStringLiteral("Scadenza");
        QTest::newRow("no month") << 5 << 0 << QStringLiteral("Scadenza");
        QTest::newRow("no description") << 5 << 5 << QString();
    }

    void missingFields()
    {
        QFETCH(int, day);
        QFETCH(int, month);
        QFETCH(QString, text);
        m_db->exec({QStringLiteral("INSERT INTO annuali(giorno, mese, ora, scadenza) VALUES(1, 1, '10.00', 'Prima')")});
        SettableClock clock(inYear(2026));
        ScriptedDialogs d;
        Desk w(*m_db);
        w.type(day, month, QStringLiteral("09.00"), text);
        d.ok().ok().ok();
        press(w.page->BitBtn16);
        press(w.page->BitBtn15);
        press(w.page->BitBtn14);
        QCOMPARE(d.texts(), (QStringList{missing, selectModify, selectRemove}));
        QCOMPARE(tableRows(*m_db, rowsSql), QStringList{QStringLiteral("1|1|10.00|Prima")});
        VERIFY_DIALOGS_DONE(d);
    }

    // A row held on another workstation: refused, and the fields as Pulisci left them.
    void heldElsewhere()
    {
        m_db->exec({QStringLiteral("INSERT INTO annuali(giorno, mese, ora, scadenza) VALUES(1, 9, '08.00', 'Inizio lezioni')")});
        SettableClock clock(inYear(2026));
        ScriptedDialogs d;
        Desk a(*m_db);
        Desk b(*m_db, QStringLiteral("10.0.0.2"));
        clickRow(a.page->SMDBGrid3, 0);
        QCOMPARE(a.page->edt_sca_ann->text(), QStringLiteral("Inizio lezioni"));
        QCOMPARE(a.page->edt_ora_ann->text(), QStringLiteral("08.00"));
        b.type(3, 3, QStringLiteral("12.00"), QStringLiteral("scritto prima"));
        b.page->edt_anno_scad->setText(QStringLiteral("2027"));
        d.ok();
        clickRow(b.page->SMDBGrid3, 0);
        QCOMPARE(d.texts(), QStringList{QStringLiteral("plain: Record bloccato da un altro utente!")});
        QVERIFY(b.page->edt_sca_ann->text().isEmpty());
        QCOMPARE(b.page->cmb_gg_ann->currentIndex(), -1);
        QCOMPARE(b.page->cmb_mm_ann->currentIndex(), -1);
        QCOMPARE(b.page->edt_ora_ann->text(), QStringLiteral("10.00"));
        QVERIFY(b.page->edt_anno_scad->text().isEmpty());
        VERIFY_DIALOGS_DONE(d);
    }

    // Another workstation took the moment after this page read the table:
    // the database refuses it, the fields keep what was typed.
    void insertRefusedByTheDatabase()
    {
        SettableClock clock(inYear(2026));
        ScriptedDialogs d;
        Desk w(*m_db);
        m_db->exec({QStringLiteral("INSERT INTO annuali(giorno, mese, ora, scadenza) VALUES(6, 6, '09.00', 'Altrove')")});
        w.type(6, 6, QStringLiteral("09.00"), QStringLiteral("Qui"));
        d.yes().ok();
        press(w.page->BitBtn16);
        QCOMPARE(d.texts(), (QStringList{askInsert,
                                         QStringLiteral("information: Inserimento non effettuabile...probabile duplicazione chiave!")}));
        QCOMPARE(tableRows(*m_db, rowsSql), QStringList{QStringLiteral("6|6|09.00|Altrove")});
        QCOMPARE(w.page->edt_sca_ann->text(), QStringLiteral("Qui"));
        QCOMPARE(w.page->edt_ora_ann->text(), QStringLiteral("09.00"));
        QCOMPARE(w.page->cmb_gg_ann->currentText(), QStringLiteral("6"));
        QCOMPARE(w.dm->t_ann.rowCount(), 0);
        VERIFY_DIALOGS_DONE(d);
    }

    // A refused insert leaves the list, the grid and the page on the row
    // holding the moment: Elimina then removes that row, the one shown.
    void refusedInsertStandsOnTheRowFound()
    {
        m_db->exec({QStringLiteral("INSERT INTO annuali(giorno, mese, ora, scadenza) VALUES(1, 1, '10.00', 'Prima')"),
                    QStringLiteral("INSERT INTO annuali(giorno, mese, ora, scadenza) VALUES(2, 2, '10.00', 'Seconda')")});
        SettableClock clock(inYear(2026));
        ScriptedDialogs d;
        Desk w(*m_db);
        clickRow(w.page->SMDBGrid3, 0);
        w.type(2, 2, QStringLiteral("10.00"), QStringLiteral("Doppia"));
        d.ok();
        press(w.page->BitBtn16);
        QCOMPARE(d.texts(), QStringList{taken});
        QCOMPARE(w.page->SMDBGrid3->currentIndex().row(), 1);
        d.yes();
        press(w.page->BitBtn14);
        QCOMPARE(d.texts().last(), askRemove);
        QCOMPARE(tableRows(*m_db, rowsSql), QStringList{QStringLiteral("1|1|10.00|Prima")});
        VERIFY_DIALOGS_DONE(d);
    }

    void missingTime_data()
    {
        QTest::addColumn<QString>("time");
        QTest::newRow("blank") << QString();
        QTest::newRow("partly typed") << QStringLiteral("10");
    }

    // Insert and change alike refuse a time that is not all there.
    void missingTime()
    {
        QFETCH(QString, time);
        m_db->exec({QStringLiteral("INSERT INTO annuali(giorno, mese, ora, scadenza) VALUES(1, 1, '10.00', 'Prima')")});
        SettableClock clock(inYear(2026));
        ScriptedDialogs d;
        Desk w(*m_db);
        w.type(2, 2, time, QStringLiteral("Senza ora"));
        d.ok().ok();
        press(w.page->BitBtn16);
        clickRow(w.page->SMDBGrid3, 0);
        w.page->edt_ora_ann->setText(time);
        press(w.page->BitBtn15);
        QCOMPARE(d.texts(), (QStringList{missing, missing}));
        QCOMPARE(tableRows(*m_db, rowsSql), QStringList{QStringLiteral("1|1|10.00|Prima")});
        VERIFY_DIALOGS_DONE(d);
    }

    void removeOneAndAll()
    {
        m_db->exec({QStringLiteral("INSERT INTO annuali(giorno, mese, ora, scadenza) VALUES(1, 1, '10.00', 'Prima')"),
                    QStringLiteral("INSERT INTO annuali(giorno, mese, ora, scadenza) VALUES(2, 1, '10.00', 'Seconda')"),
                    QStringLiteral("INSERT INTO annuali(giorno, mese, ora, scadenza) VALUES(3, 1, '10.00', 'Terza')")});
        SettableClock clock(inYear(2026));
        ScriptedDialogs d;
        Desk w(*m_db);
        clickRow(w.page->SMDBGrid3, 1);
        d.yes();
        press(w.page->BitBtn14);
        QCOMPARE(d.texts(), QStringList{QStringLiteral("question: Confermi ELIMINAZIONE?")});
        QCOMPARE(tableRows(*m_db, rowsSql), (QStringList{"1|1|10.00|Prima", "3|1|10.00|Terza"}));

        d.no();
        press(w.page->BitBtn19);
        QCOMPARE(tableRows(*m_db, rowsSql).size(), 2);
        clickRow(w.page->SMDBGrid3, 0);
        d.yes().ok();
        press(w.page->BitBtn19);
        const QString ask = QStringLiteral("question: Continuando tutte le scadenze annuali verranno ELIMINATE?\nConfermare operazione?");
        QCOMPARE(d.texts().mid(1), (QStringList{ask, ask, QStringLiteral("information: Scadenze annuali Eliminate!")}));
        QVERIFY(!w.dm->tr_blocca.active());
        QCOMPARE(w.page->SMDBGrid3->model()->rowCount(), 0);
        QVERIFY(tableRows(*m_db, rowsSql).isEmpty());

        // The numbering starts again.
        w.type(4, 4, QStringLiteral("09.00"), QStringLiteral("Dopo"));
        d.yes();
        press(w.page->BitBtn16);
        QCOMPARE(tableRows(*m_db, QStringLiteral("select id, scadenza from annuali")), QStringList{QStringLiteral("1|Dopo")});
        VERIFY_DIALOGS_DONE(d);
    }
};

QTEST_MAIN(TestAnnual)
#include "test_annual.moc"
