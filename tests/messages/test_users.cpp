// The users page: its controls, the directory's insert / change / delete
// chains, "Preleva indirizzo IP", and the editor reading the directory.
#include "PageFixture.h"
#include "TableFixture.h"
#include "db/Sql.h"
#include "messages/UsersPage.h"

#include <QAccessible>
#include <QToolButton>

using namespace velmora;
using namespace velmora::test;

namespace {

const QString rowsSql = QStringLiteral("select utente, pc from client order by id");
const QString askInsert = QStringLiteral("question: Confermi INSERIMENTO?");

struct Desk {
    std::unique_ptr<Tdm> dm;
    std::unique_ptr<UsersPage> page;
    Desk(const TempDatabase &db, Tdm *shared = nullptr, const QString &key = thisPc)
        : dm(shared ? nullptr : db.connect(key)), page(std::make_unique<UsersPage>(shared ? *shared : *dm))
    {
        QVERIFY(page->open());
    }
    void type(const QString &name, const QString &pc)
    {
        page->edt_utente->setText(name);
        page->edt_pc->setText(pc);
    }
};

} // namespace

class TestUsers : public QObject {
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
        UsersPage &p = *w.page;
        QStringList buttons;
        for (QPushButton *b : {p.BitBtn12, p.BitBtn11, p.BitBtn10, p.bbt_pul_pc, p.BitBtn13})
            buttons << b->objectName() + QLatin1Char('=') + b->text();
        QCOMPARE(buttons, (QStringList{"BitBtn12=Inserisci", "BitBtn11=Modifica", "BitBtn10=Elimina", "bbt_pul_pc=Pulisci", "BitBtn13=Esci"}));
        QCOMPARE(QAccessible::queryAccessibleInterface(p.edt_utente)->text(QAccessible::Name), QStringLiteral("Nominativo Utente"));
        QCOMPARE(QAccessible::queryAccessibleInterface(p.edt_pc)->text(QAccessible::Name),
                 QStringLiteral("Identificativo PC (Nome o IP)"));
        QCOMPARE(p.SpeedButton2->text(), QStringLiteral("Preleva indirizzo IP"));
        // Longer names and keys cannot be typed.
        QTest::keyClicks(p.edt_utente, QString(40, QLatin1Char('a')));
        QTest::keyClicks(p.edt_pc, QString(25, QLatin1Char('1')));
        QCOMPARE(p.edt_utente->text().size(), 35);
        QCOMPARE(p.edt_pc->text().size(), 20);

        // The data module's key, the one the poll and the lists match.
        p.edt_pc->setText(QStringLiteral("scritto a mano"));
        QTest::mouseClick(p.SpeedButton2, Qt::LeftButton);
        QCOMPARE(p.edt_pc->text(), thisPc);
        VERIFY_DIALOGS_DONE(d);
    }

    void tabOrder()
    {
        ScriptedDialogs d;
        Desk w(*m_db);
        QCOMPARE(tabStops(w.page.get(), w.page->SMDBGrid2),
                 (QStringList{"SMDBGrid2", "edt_utente", "edt_pc", "SpeedButton2", "BitBtn12", "BitBtn11", "BitBtn10",
                              "bbt_pul_pc", "BitBtn13"}));
        VERIFY_DIALOGS_DONE(d);
    }

    void insertFindsFirstInNameOrder()
    {
        m_db->exec({QStringLiteral("INSERT INTO client(utente, pc) VALUES('Zeno', '10.0.0.9')")});
        ScriptedDialogs d;
        Desk w(*m_db);
        w.type(QStringLiteral("Anna D'Amico"), QStringLiteral("10.0.0.9"));
        d.yes();
        press(w.page->BitBtn12);
        QCOMPARE(d.texts(), QStringList{askInsert});
        QCOMPARE(tableRows(*m_db, rowsSql), (QStringList{"Zeno|10.0.0.9", "Anna D'Amico|10.0.0.9"}));
        QVERIFY(w.page->edt_utente->text().isEmpty() && w.page->edt_pc->text().isEmpty());
        // Both rows carry the key: the search stops on the first by name.
        QCOMPARE(w.dm->t_pc.value(QStringLiteral("utente")).toString(), QStringLiteral("Anna D'Amico"));
        QCOMPARE(w.page->SMDBGrid2->currentIndex().row(), 0);
        VERIFY_DIALOGS_DONE(d);
    }

    void missing_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("pc");
        QTest::newRow("no name") << QString() << QStringLiteral("10.0.0.3");
        QTest::newRow("no workstation") << QStringLiteral("Carla") << QString();
    }

    void missing()
    {
        QFETCH(QString, name);
        QFETCH(QString, pc);
        m_db->exec({QStringLiteral("INSERT INTO client(utente, pc) VALUES('Zeno', '10.0.0.9')")});
        ScriptedDialogs d;
        Desk w(*m_db);
        w.type(name, pc);
        d.ok().ok().ok();
        press(w.page->BitBtn12);
        press(w.page->BitBtn11);
        press(w.page->BitBtn10);
        QCOMPARE(d.texts(), (QStringList{QStringLiteral("warning: Dati mancanti!"),
                                         QStringLiteral("warning: Selezionare prima l'utente da modificare!"),
                                         QStringLiteral("warning: Selezionare prima l'utente da eliminare!")}));
        QCOMPARE(tableRows(*m_db, rowsSql), QStringList{QStringLiteral("Zeno|10.0.0.9")});
        VERIFY_DIALOGS_DONE(d);
    }

    // An empty directory: a click does nothing; Modifica and Elimina warn.
    void emptyDirectory()
    {
        ScriptedDialogs d;
        Desk w(*m_db);
        clickRow(w.page->SMDBGrid2, 0);
        QVERIFY(!w.dm->tr_blocca.active());
        QVERIFY(w.page->edt_utente->text().isEmpty() && w.page->edt_pc->text().isEmpty());
        w.type(QStringLiteral("Anna"), thisPc);
        d.ok().ok();
        press(w.page->BitBtn11);
        press(w.page->BitBtn10);
        QCOMPARE(d.texts(), (QStringList{QStringLiteral("warning: Selezionare prima l'utente da modificare!"),
                                         QStringLiteral("warning: Selezionare prima l'utente da eliminare!")}));
        QVERIFY(tableRows(*m_db, rowsSql).isEmpty());
        VERIFY_DIALOGS_DONE(d);
    }

    // A row held on another workstation is refused and nothing is filled in.
    void heldElsewhere()
    {
        m_db->exec({QStringLiteral("INSERT INTO client(utente, pc) VALUES('Anna', '10.0.0.1')")});
        ScriptedDialogs d;
        Desk a(*m_db);
        Desk b(*m_db, nullptr, otherPc);
        clickRow(a.page->SMDBGrid2, 0);
        QCOMPARE(a.page->edt_utente->text(), QStringLiteral("Anna"));
        b.type(QStringLiteral("scritto prima"), QStringLiteral("x"));
        d.ok();
        clickRow(b.page->SMDBGrid2, 0);
        QCOMPARE(d.texts(), QStringList{QStringLiteral("plain: Record bloccato da un altro utente!")});
        QVERIFY(b.page->edt_utente->text().isEmpty() && b.page->edt_pc->text().isEmpty());
        press(a.page->bbt_pul_pc);
        clickRow(b.page->SMDBGrid2, 0);
        QCOMPARE(b.page->edt_utente->text(), QStringLiteral("Anna"));
        VERIFY_DIALOGS_DONE(d);
    }

    void modifyAndRemove()
    {
        m_db->exec({QStringLiteral("INSERT INTO client(utente, pc) VALUES('Bruno', '10.0.0.2')"),
                    QStringLiteral("INSERT INTO client(utente, pc) VALUES('Anna', '10.0.0.1')")});
        ScriptedDialogs d;
        Desk w(*m_db);
        clickRow(w.page->SMDBGrid2, 1);
        QCOMPARE(w.page->edt_utente->text(), QStringLiteral("Bruno"));
        QCOMPARE(w.page->edt_pc->text(), QStringLiteral("10.0.0.2"));
        QVERIFY(w.dm->tr_blocca.active());
        w.type(QStringLiteral("Bruno dell'Aquila"), QStringLiteral("pc'segreteria"));
        d.yes();
        press(w.page->BitBtn11);
        QCOMPARE(tableRows(*m_db, rowsSql), (QStringList{"Bruno dell'Aquila|pc'segreteria", "Anna|10.0.0.1"}));
        QVERIFY(!w.dm->tr_blocca.active());

        clickRow(w.page->SMDBGrid2, 0);
        QCOMPARE(w.page->edt_utente->text(), QStringLiteral("Anna"));
        d.yes();
        press(w.page->BitBtn10);
        QCOMPARE(d.texts(), (QStringList{QStringLiteral("question: Confermi MODIFICA?"), QStringLiteral("question: Confermi ELIMINAZIONE?")}));
        QCOMPARE(tableRows(*m_db, rowsSql), QStringList{QStringLiteral("Bruno dell'Aquila|pc'segreteria")});
        VERIFY_DIALOGS_DONE(d);
    }

    // The editor offers the names of the directory and shows the name of a
    // stored deadline's workstation.
    void editorReadsTheDirectory()
    {
        m_db->exec({QStringLiteral("INSERT INTO scadenze(scadenza, data, ora, pc) VALUES('Mia', '12/20/2026', '09.00', '10.0.0.1')")});
        SettableClock clock(standingNow());
        ScriptedDialogs d;
        Workstation ws(*m_db, thisPc);
        Desk w(*m_db, ws.dm.get());
        w.type(QStringLiteral("Anna"), thisPc);
        d.yes();
        press(w.page->BitBtn12);
        w.type(QStringLiteral("Bruno"), otherPc);
        d.yes();
        press(w.page->BitBtn12);
        ws.show();
        QComboBox *names = ws.editor().cmb_utente_scad;
        QStringList offered;
        for (int i = 0; i < names->count(); ++i)
            offered << names->itemText(i);
        QCOMPARE(offered, (QStringList{QString(), "Anna", "Bruno"}));
        ws.chooseUser(QStringLiteral("Bruno"));
        QCOMPARE(ws.editor().lbl_pc_sca->text(), otherPc);

        clickRow(ws.page->dbg_scad, 0);
        QCOMPARE(ws.editor().edt_scad->text(), QStringLiteral("Mia"));
        QCOMPARE(names->currentText(), QStringLiteral("Anna"));
        VERIFY_DIALOGS_DONE(d);
    }
};

QTEST_MAIN(TestUsers)
#include "test_users.moc"
