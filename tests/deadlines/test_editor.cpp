// The deadline editor: its check chains, and what reaches the database.
#include "Script.h"
#include "PageFixture.h"

using namespace velmora;
using namespace velmora::test;

namespace {

const QString dataMancanti = QStringLiteral("warning: Dati mancanti!");
const QString pastDate = QStringLiteral("warning: La data di scadenza non può essere inferiore alla data di oggi!!");
const QString pastTime = QStringLiteral("warning: L'ora di scadenza non può essere inferiore a data/ora di oggi!!");
const QString noAddressee = QStringLiteral("warning: Per le scadenze da inviare a mezzo mail è necessario scegliere il computer su cui visualizzare l'avviso di avvenuto invio!");
const QString noSettings = QStringLiteral("warning: Per inviare una scadenza via mail è necessario \"Configurare invio mail\" dalla tendina Parametri!");
const QString badAddress = QStringLiteral("warning: La mail digitata risulta errata!");
const QString holiday = QStringLiteral("question: Il giorno risulta essere festivo, confermare ugualmente?");
const QString confirmInsert = QStringLiteral("question: Confermi INSERIMENTO?");
const QString confirmChange = QStringLiteral("question: Confermi MODIFICA?");

QString mailQuestion(const QString &address, const QString &last)
{
    return QStringLiteral("question: La scadenza verrà inviata alla mail \"") + address
           + QStringLiteral("\"\nVerificare attentamente tale indirizzo per assicurarsi che l'invio vada a buon fine...\n") + last;
}

} // namespace

class TestEditor : public QObject {
    Q_OBJECT

    std::unique_ptr<TempDatabase> m_db;
    std::unique_ptr<SettableClock> m_clock;

    void prepare(bool settings, const QStringList &existing)
    {
        m_db = std::make_unique<TempDatabase>();
        m_db->exec({QStringLiteral("INSERT INTO client (utente, pc) VALUES ('Anna', '10.0.0.1')"),
                    QStringLiteral("INSERT INTO client (utente, pc) VALUES ('Bruno', '10.0.0.2')"),
                    QStringLiteral("INSERT INTO festivita (giorno, mese, festa) VALUES (25, 12, 'Natale')")});
        m_db->exec(existing);
        {
            Workstation upgrade(*m_db, thisPc);   // makes the settings table
        }
        if (settings)
            completeSettings(*m_db);
    }

private Q_SLOTS:
    void init()
    {
        m_clock = std::make_unique<SettableClock>(standingNow());
    }
    void cleanup()
    {
        m_clock.reset();
        m_db.reset();
    }

    void insertChain_data()
    {
        QTest::addColumn<QStringList>("fields");     // text, date, hour, minute, user, address
        QTest::addColumn<bool>("settings");
        QTest::addColumn<QStringList>("existing");
        QTest::addColumn<QStringList>("answers");
        QTest::addColumn<QStringList>("boxes");
        QTest::addColumn<QString>("stored");         // the new row, empty when none

        const QStringList none;
        const QString tomorrowTutti = QStringLiteral("INSERT INTO scadenze (data, ora, scadenza, pc, mail) VALUES ('12/11/2026', '09.00', 'Esistente', 'tutti', '')");
        const QString tomorrowOther = QStringLiteral("INSERT INTO scadenze (data, ora, scadenza, pc, mail) VALUES ('12/11/2026', '09.00', 'Altrui', '10.0.0.2', '')");
        auto f = [](const char *text, const char *date, const char *h, const char *m, const char *user = "", const char *mail = "") {
            return QStringList{QString::fromUtf8(text), QString::fromLatin1(date), QString::fromLatin1(h),
                               QString::fromLatin1(m), QString::fromLatin1(user), QString::fromUtf8(mail)};
        };

        QTest::newRow("missing description") << f("", "11/12/2026", "09", "00") << false << none << QStringList{"ok"} << QStringList{dataMancanti} << "";
        QTest::newRow("missing date") << f("Consiglio", "", "09", "00") << false << none << QStringList{"ok"} << QStringList{dataMancanti} << "";
        QTest::newRow("missing hour") << f("Consiglio", "11/12/2026", "", "00") << false << none << QStringList{"ok"} << QStringList{dataMancanti} << "";
        QTest::newRow("missing minute") << f("Consiglio", "11/12/2026", "09", "") << false << none << QStringList{"ok"} << QStringList{dataMancanti} << "";
        QTest::newRow("past date") << f("Consiglio", "09/12/2026", "23", "59") << false << none << QStringList{"ok"} << QStringList{pastDate} << "";
        QTest::newRow("current minute") << f("Consiglio", "10/12/2026", "10", "30") << false << none << QStringList{"ok"} << QStringList{pastTime} << "";
        QTest::newRow("earlier today") << f("Consiglio", "10/12/2026", "09", "59") << false << none << QStringList{"ok"} << QStringList{pastTime} << "";
        QTest::newRow("next minute") << f("Consiglio", "10/12/2026", "10", "31") << false << none << QStringList{"yes"} << QStringList{confirmInsert}
                                     << "Consiglio|10/12/2026|10.31|tutti||<null>";
        QTest::newRow("duplicate") << f("Consiglio", "11/12/2026", "09", "00") << false << QStringList{tomorrowTutti} << QStringList{"ok"}
                                   << QStringList{QStringLiteral("warning: Scadenza già esistente in questa data/ora...inserimento non consentito!")} << "";
        QTest::newRow("moment of another workstation") << f("Consiglio", "11/12/2026", "09", "00") << false << QStringList{tomorrowOther} << QStringList{"yes"}
                                   << QStringList{confirmInsert} << "Consiglio|11/12/2026|09.00|tutti||<null>";
        QTest::newRow("address without addressee") << f("Consiglio", "11/12/2026", "09", "00", "", "preside@scuola.example") << true << none
                                   << QStringList{"ok"} << QStringList{noAddressee} << "";
        QTest::newRow("settings incomplete") << f("Consiglio", "11/12/2026", "09", "00", "Anna", "preside@scuola.example") << false << none
                                   << QStringList{"ok"} << QStringList{noSettings} << "";
        QTest::newRow("address without at") << f("Consiglio", "11/12/2026", "09", "00", "Anna", "preside.scuola.example") << true << none
                                   << QStringList{"ok"} << QStringList{badAddress} << "";
        QTest::newRow("address of blanks") << f("Consiglio", "11/12/2026", "09", "00", "", "   ") << false << none
                                   << QStringList{"ok"} << QStringList{badAddress} << "";
        QTest::newRow("holiday answered No") << f("Consiglio", "25/12/2026", "09", "00") << false << none
                                   << QStringList{"no"} << QStringList{holiday} << "";
        QTest::newRow("holiday answered Yes") << f("Consiglio", "25/12/2027", "09", "00") << false << none
                                   << QStringList{"yes", "yes"} << QStringList{holiday, confirmInsert} << "Consiglio|25/12/2027|09.00|tutti||<null>";
        QTest::newRow("confirmation No") << f("Consiglio", "11/12/2026", "09", "00") << false << none
                                   << QStringList{"no"} << QStringList{confirmInsert} << "";
        QTest::newRow("mail with blanks, apostrophes") << f("Consiglio d'istituto", "11/12/2026", "7", "5", "Anna", " preside@scuola.example ") << true << none
                                   << QStringList{"yes"} << QStringList{mailQuestion(QStringLiteral(" preside@scuola.example "), QStringLiteral("Confermi INVIO/INSERIMENTO?"))}
                                   << "Consiglio d'istituto|11/12/2026|07.05|10.0.0.1| preside@scuola.example |<null>";
        QTest::newRow("addressee Bruno") << f("Bruno's", "11/12/2026", "08", "00", "Bruno") << false << none
                                   << QStringList{"yes"} << QStringList{confirmInsert} << "Bruno's|11/12/2026|08.00|10.0.0.2||<null>";
    }

    void insertChain()
    {
        QFETCH(QStringList, fields);
        QFETCH(bool, settings);
        QFETCH(QStringList, existing);
        QFETCH(QStringList, answers);
        QFETCH(QStringList, boxes);
        QFETCH(QString, stored);
        prepare(settings, existing);
        Workstation w(*m_db, thisPc);
        w.show();
        const QStringList before = deadlineRows(*m_db);

        ScriptedDialogs d;
        script(d, answers);
        w.fill(fields[0], fields[1], fields[2], fields[3], fields[5]);
        if (!fields[4].isEmpty())
            w.chooseUser(fields[4]);
        Workstation::click(w.editor().bbt_ins);
        QCOMPARE(d.texts(), boxes);
        VERIFY_DIALOGS_DONE(d);

        const QStringList after = deadlineRows(*m_db);
        if (stored.isEmpty()) {
            QCOMPARE(after, before);
            QCOMPARE(w.editor().edt_scad->text(), fields[0]);   // what was typed stays
        } else {
            QCOMPARE(after.size(), before.size() + 1);
            QCOMPARE(after.last(), stored);
            QVERIFY(w.editor().edt_scad->text().isEmpty());    // cleared for the next one
            QCOMPARE(w.page->dbg_scad->model()->rowCount(), w.dm->t_sca.rowCount());
        }
    }

    // The window was shown while the database could not be read: the
    // addressee list was never filled, so an address cannot be given a
    // computer and would go to every workstation. It is refused.
    void addressWithoutTheAddresseeList()
    {
        prepare(true, {});
        Workstation w(*m_db, thisPc);
        w.page->presetFields();
        QVERIFY(w.page->open());
        const QStringList before = deadlineRows(*m_db);
        ScriptedDialogs d;
        d.ok();
        w.fill(QStringLiteral("Consiglio"), QStringLiteral("11/12/2026"), QStringLiteral("09"), QStringLiteral("00"),
               QStringLiteral("preside@scuola.example"));
        Workstation::click(w.editor().bbt_ins);
        QCOMPARE(d.texts(), QStringList{QStringLiteral(
            "warning: Elenco degli utenti non disponibile: non è possibile scegliere il computer su cui visualizzare l'avviso di avvenuto invio!\n"
            "Verificare che il Server sia acceso e che la connessione sia stabilita, quindi riaprire la finestra.")});
        VERIFY_DIALOGS_DONE(d);
        QCOMPARE(deadlineRows(*m_db), before);
    }

    void changeChain_data()
    {
        QTest::addColumn<QStringList>("fields");   // text, date, hour, minute, user, address; "=" keeps
        QTest::addColumn<QStringList>("answers");
        QTest::addColumn<QStringList>("boxes");
        QTest::addColumn<QString>("stored");       // the changed row, empty: unchanged

        auto f = [](const char *text, const char *date, const char *h, const char *m, const char *user = "=", const char *mail = "=") {
            return QStringList{QString::fromUtf8(text), QString::fromLatin1(date), QString::fromLatin1(h),
                               QString::fromLatin1(m), QString::fromLatin1(user), QString::fromUtf8(mail)};
        };
        QTest::newRow("description only") << f("Collegio docenti", "=", "=", "=") << QStringList{"yes"} << QStringList{confirmChange}
                                          << "Collegio docenti|11/12/2026|09.00|tutti||<null>";
        QTest::newRow("missing data") << f("", "=", "=", "=") << QStringList{"ok"}
                                      << QStringList{QStringLiteral("warning: Selezionare prima la scadenza da modificare!")} << "";
        QTest::newRow("past date") << f("=", "01/12/2026", "=", "=") << QStringList{"ok"} << QStringList{pastDate} << "";
        QTest::newRow("onto another deadline") << f("=", "12/12/2026", "10", "00") << QStringList{"ok"}
                                               << QStringList{QStringLiteral("warning: Scadenza già esistente in questa data/ora...modifica non consentita!")} << "";
        QTest::newRow("address without addressee") << f("=", "=", "=", "=", "", "preside@scuola.example") << QStringList{"ok"}
                                                    << QStringList{noAddressee} << "";
        QTest::newRow("address without at") << f("=", "=", "=", "=", "Anna", "preside") << QStringList{"ok"} << QStringList{badAddress} << "";
        QTest::newRow("holiday answered No") << f("=", "25/12/2026", "=", "=") << QStringList{"no"} << QStringList{holiday} << "";
        QTest::newRow("confirmation No") << f("Altro", "=", "=", "=") << QStringList{"no"} << QStringList{confirmChange} << "";
        QTest::newRow("to mail") << f("=", "=", "=", "=", "Anna", "preside@scuola.example") << QStringList{"yes"}
                                 << QStringList{mailQuestion(QStringLiteral("preside@scuola.example"), QStringLiteral("Confermi INVIO/MODIFICA?"))}
                                 << "Consiglio|11/12/2026|09.00|10.0.0.1|preside@scuola.example|<null>";
    }

    void changeChain()
    {
        QFETCH(QStringList, fields);
        QFETCH(QStringList, answers);
        QFETCH(QStringList, boxes);
        QFETCH(QString, stored);
        prepare(true, {QStringLiteral("INSERT INTO scadenze (data, ora, scadenza, pc, mail, letto) VALUES ('12/11/2026', '09.00', 'Consiglio', 'tutti', '', 'S')"),
                       QStringLiteral("INSERT INTO scadenze (data, ora, scadenza, pc, mail) VALUES ('12/12/2026', '10.00', 'Collegio', 'tutti', '')")});
        Workstation w(*m_db, thisPc);
        w.show();
        const QStringList before = deadlineRows(*m_db);

        QVERIFY(w.dm->t_sca.locate(QStringLiteral("scadenza"), {QStringLiteral("Consiglio")}, false));
        w.editor().selectRow();
        QVERIFY(w.editor().bbt_mod->isEnabled());
        QVERIFY(!w.editor().bbt_ins->isEnabled());
        DeadlineEditor &e = w.editor();
        auto keep = [](const QString &v, const QString &current) { return v == QLatin1String("=") ? current : v; };
        w.fill(keep(fields[0], e.edt_scad->text()), keep(fields[1], e.mke_data_scad->text()),
               keep(fields[2], e.edt_ora->text()), keep(fields[3], e.edt_min->text()),
               keep(fields[5], e.edt_mail_dest->currentText()));
        if (fields[4] != QLatin1String("="))
            w.chooseUser(fields[4]);

        ScriptedDialogs d;
        script(d, answers);
        Workstation::click(e.bbt_mod);
        QCOMPARE(d.texts(), boxes);
        VERIFY_DIALOGS_DONE(d);
        const QStringList after = deadlineRows(*m_db);
        if (stored.isEmpty())
            QCOMPARE(after, before);
        else
            QCOMPARE(after.first(), stored);   // letto null again: unseen
    }

    void deleteAndClear()
    {
        prepare(false, {QStringLiteral("INSERT INTO scadenze (data, ora, scadenza, pc, mail) VALUES ('12/11/2026', '09.00', 'Consiglio', 'tutti', '')")});
        Workstation w(*m_db, thisPc);
        w.show();
        DeadlineEditor &e = w.editor();
        {
            ScriptedDialogs d;
            d.ok();
            Workstation::click(e.BitBtn4);
            QCOMPARE(d.texts(), QStringList{QStringLiteral("warning: Selezionare prima la scadenza da eliminare!")});
        }
        w.dm->t_sca.first();
        e.selectRow();
        QCOMPARE(e.edt_scad->text(), QStringLiteral("Consiglio"));
        QCOMPARE(e.mke_data_scad->text(), QStringLiteral("11/12/2026"));
        QCOMPARE(e.edt_ora->text(), QStringLiteral("09"));
        QCOMPARE(e.edt_min->text(), QStringLiteral("00"));
        QCOMPARE(e.lbl_pc_sca->text(), QStringLiteral("tutti"));
        QVERIFY(!e.lbl_id_scadenza->text().isEmpty());
        {
            ScriptedDialogs d;
            d.no();
            Workstation::click(e.BitBtn4);
            VERIFY_DIALOGS_DONE(d);
            QCOMPARE(deadlineRows(*m_db).size(), 1);
        }
        ScriptedDialogs d;
        d.yes();
        Workstation::click(e.BitBtn4);
        QCOMPARE(d.texts(), QStringList{QStringLiteral("question: Confermi ELIMINAZIONE?")});
        QCOMPARE(deadlineRows(*m_db), QStringList{});
        QVERIFY(e.edt_scad->text().isEmpty());
        QCOMPARE(e.mke_data_scad->text(), QStringLiteral("  /  /    "));
        QVERIFY(!w.dm->tr_blocca.active());
        QCOMPARE(w.dm->t_sca.rowCount(), 0);
    }

    void rowLockedByAnotherWorkstation()
    {
        prepare(false, {QStringLiteral("INSERT INTO scadenze (data, ora, scadenza, pc, mail) VALUES ('12/11/2026', '09.00', 'Consiglio', 'tutti', '')"),
                        QStringLiteral("INSERT INTO scadenze (data, ora, scadenza, pc, mail) VALUES ('12/11/2026', '10.00', 'Solo altrove', '10.0.0.2', '')")});
        Workstation a(*m_db, thisPc);
        Workstation b(*m_db, otherPc);
        a.show();
        b.show();
        QCOMPARE(a.dm->t_sca.rowCount(), 1);
        QCOMPARE(b.dm->t_sca.rowCount(), 2);
        a.editor().selectRow();
        QVERIFY(a.dm->tr_blocca.active());

        QVERIFY(b.dm->t_sca.locate(QStringLiteral("scadenza"), {QStringLiteral("Consiglio")}, false));
        ScriptedDialogs d;
        d.ok();
        b.editor().selectRow();
        QCOMPARE(d.texts(), QStringList{QStringLiteral("plain: Record bloccato da un altro utente!")});
        QVERIFY(b.editor().edt_scad->text().isEmpty());
        QVERIFY(b.editor().bbt_ins->isEnabled());

        Workstation::click(a.editor().bbt_pul_scad);
        b.editor().selectRow();
        QCOMPARE(b.editor().edt_scad->text(), QStringLiteral("Consiglio"));
    }

    // The row was deleted elsewhere while it was in the fields.
    void changeOfDeletedRow()
    {
        prepare(false, {QStringLiteral("INSERT INTO scadenze (data, ora, scadenza, pc, mail) VALUES ('12/11/2026', '09.00', 'Consiglio', 'tutti', '')")});
        Workstation a(*m_db, thisPc);
        a.show();
        a.editor().selectRow();
        a.dm->sblocca(QStringLiteral("1"));   // as if the lock had been lost
        m_db->exec({QStringLiteral("DELETE FROM scadenze")});
        a.editor().edt_scad->setText(QStringLiteral("Nuovo testo"));
        ScriptedDialogs d;
        d.yes().ok();
        Workstation::click(a.editor().bbt_mod);
        QCOMPARE(d.texts(), (QStringList{confirmChange,
                                         QStringLiteral("warning: Scadenza eliminata da altro utente... operazione non consentita!!")}));
        QCOMPARE(deadlineRows(*m_db), QStringList{});
    }

    void duplicateKeyAtTheDatabase()
    {
        prepare(false, {});
        Workstation a(*m_db, thisPc);
        a.show();
        // Entered elsewhere after this list was read: only the database's key sees it.
        m_db->exec({QStringLiteral("INSERT INTO scadenze (data, ora, scadenza, pc, mail) VALUES ('12/11/2026', '09.00', 'Altrove', 'tutti', '')")});
        a.fill(QStringLiteral("Qui"), QStringLiteral("11/12/2026"), QStringLiteral("09"), QStringLiteral("00"));
        ScriptedDialogs d;
        d.yes().ok();
        Workstation::click(a.editor().bbt_ins);
        QCOMPARE(d.texts(), (QStringList{confirmInsert,
                                         QStringLiteral("information: Inserimento non effettuabile...probabile duplicazione chiave!")}));
        QCOMPARE(a.editor().edt_scad->text(), QStringLiteral("Qui"));
        QCOMPARE(deadlineRows(*m_db).size(), 1);
    }

    void timeFields_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("box");
        // Another window comes forward instead (the alarm window, a message,
        // another program): that is not leaving the field.
        QTest::addColumn<bool>("otherWindow");
        QTest::newRow("hour 7") << "edt_ora" << "7" << "07" << "" << false;
        QTest::newRow("hour 23") << "edt_ora" << "23" << "23" << "" << false;
        QTest::newRow("hour 24") << "edt_ora" << "24" << "" << "information: 24 non è un ora valida!" << false;
        QTest::newRow("hour letters dropped") << "edt_ora" << "a1b" << "01" << "" << false;
        QTest::newRow("minute 59") << "edt_min" << "59" << "59" << "" << false;
        QTest::newRow("minute 60") << "edt_min" << "60" << "" << "information: 60 non sono minuti validi!" << false;
        QTest::newRow("minute 5") << "edt_min" << "5" << "05" << "" << false;
        QTest::newRow("hour 1, another window") << "edt_ora" << "1" << "1" << "" << true;
        QTest::newRow("hour 24, another window") << "edt_ora" << "24" << "24" << "" << true;
        QTest::newRow("minute 60, another window") << "edt_min" << "60" << "60" << "" << true;
    }

    void timeFields()
    {
        QFETCH(QString, field);
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        QFETCH(QString, box);
        QFETCH(bool, otherWindow);
        prepare(false, {});
        Workstation w(*m_db, thisPc);
        w.page->show();
        QApplication::setActiveWindow(w.page.get());
        QVERIFY(QTest::qWaitForWindowActive(w.page.get()));
        auto *edit = w.page->findChild<QLineEdit *>(field);
        QVERIFY(edit);
        edit->clear();
        edit->setFocus();
        QTest::keyClicks(edit, typed);
        ScriptedDialogs d;
        if (!box.isEmpty())
            d.ok();
        QWidget other;
        if (otherWindow) {
            other.show();
            QApplication::setActiveWindow(&other);
            QVERIFY(!edit->hasFocus());
        } else {
            w.editor().edt_scad->setFocus();   // leaving the field
        }
        QCOMPARE(edit->text(), shown);
        QCOMPARE(d.texts(), box.isEmpty() ? QStringList{} : QStringList{box});
    }

    void counterAndLimit()
    {
        prepare(false, {});
        Workstation w(*m_db, thisPc);
        DeadlineEditor &e = w.editor();
        QCOMPARE(e.lbl_caratteri->text(), QStringLiteral("250"));
        QTest::keyClicks(e.edt_scad, QStringLiteral("abc"));
        QCOMPARE(e.lbl_caratteri->text(), QStringLiteral("247"));
        QTest::keyClicks(e.edt_scad, QString(300, QLatin1Char('x')));
        QCOMPARE(e.edt_scad->text().size(), 250);
        QCOMPARE(e.lbl_caratteri->text(), QStringLiteral("0"));
    }
};

QTEST_MAIN(TestEditor)
#include "test_editor.moc"
