// "Gestione scadenze": the past deadlines offered for marking, the lists,
// the nearest unseen deadline; and the page's part of each showing.
#include "PageFixture.h"

#include <QSpinBox>

using namespace velmora;
using namespace velmora::test;

namespace {

const QString pastQuestion = QStringLiteral(
    "question: Risultano esistere scadenze precedenti alla data odierna. Impostarle come già lette?\n"
    "P.S. se non vengono impostate come già lette questo messaggio si presenterà ad ogni ingresso al programma.");

} // namespace

class TestManage : public QObject {
    Q_OBJECT

    std::unique_ptr<TempDatabase> m_db;
    std::unique_ptr<SettableClock> m_clock;

    QStringList seen()
    {
        QStringList out;
        for (const QString &row : deadlineRows(*m_db))
            if (row.endsWith(QLatin1String("|S")))
                out << row.section(QLatin1Char('|'), 0, 0);
        return out;
    }

private Q_SLOTS:
    void init()
    {
        m_clock = std::make_unique<SettableClock>(standingNow());
        m_db = std::make_unique<TempDatabase>();
    }
    void cleanup()
    {
        m_db.reset();
        m_clock.reset();
    }

    void marking_data()
    {
        QTest::addColumn<QString>("answer");
        QTest::addColumn<QStringList>("seen");
        QTest::newRow("yes") << "yes"
                             << QStringList{QStringLiteral("Ieri mia"), QStringLiteral("Già vista"),
                                            QStringLiteral("Stamattina tutti"), QStringLiteral("Questo minuto")};
        QTest::newRow("no") << "no" << QStringList{QStringLiteral("Già vista")};
    }

    void marking()
    {
        QFETCH(QString, answer);
        QFETCH(QStringList, seen);
        m_db->exec({
            QStringLiteral("INSERT INTO scadenze (data, ora, scadenza, pc, mail) VALUES ('12/09/2026', '16.00', 'Ieri mia', '10.0.0.1', '')"),
            QStringLiteral("INSERT INTO scadenze (data, ora, scadenza, pc, mail, letto) VALUES ('12/09/2026', '17.00', 'Già vista', '10.0.0.1', '', 'S')"),
            QStringLiteral("INSERT INTO scadenze (data, ora, scadenza, pc, mail) VALUES ('12/09/2026', '16.00', 'Ieri altrui', '10.0.0.2', '')"),
            QStringLiteral("INSERT INTO scadenze (data, ora, scadenza, pc, mail) VALUES ('12/10/2026', '08.00', 'Stamattina tutti', 'tutti', '')"),
            QStringLiteral("INSERT INTO scadenze (data, ora, scadenza, pc, mail) VALUES ('12/10/2026', '10.30', 'Questo minuto', '10.0.0.1', '')"),
            QStringLiteral("INSERT INTO scadenze (data, ora, scadenza, pc, mail) VALUES ('12/10/2026', '10.31', 'Fra un minuto', '10.0.0.1', '')"),
        });
        Workstation w(*m_db, thisPc);
        w.page->presetFields();
        w.page->loadChoices();
        ScriptedDialogs d;
        if (answer == QLatin1String("yes"))
            d.yes();
        else
            d.no();
        QVERIFY(w.page->open());
        QCOMPARE(d.texts(), QStringList{pastQuestion});
        QCOMPARE(this->seen(), seen);
        QCOMPARE(w.dm->t_sca.rowCount(), 5);   // the general list again, not the past ones
    }

    void nothingPastAsksNothing()
    {
        m_db->exec({QStringLiteral("INSERT INTO scadenze (data, ora, scadenza, pc, mail) VALUES ('12/10/2026', '10.31', 'Fra un minuto', '10.0.0.1', '')")});
        Workstation w(*m_db, thisPc);
        ScriptedDialogs d;
        QVERIFY(w.page->open());
        VERIFY_DIALOGS_DONE(d);
    }

    void nearest_data()
    {
        QTest::addColumn<QStringList>("rows");   // date, time, text, letto
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("current");
        QTest::newRow("from today on") << QStringList{"12/01/2026|08.00|Vecchia|", "12/10/2026|09.00|Oggi vista|S",
                                                      "12/10/2026|11.00|Oggi dopo|", "12/20/2026|08.00|Più tardi|"}
                                       << "Scadenza più vicina: \"Oggi dopo\" - 10/12/2026  11.00" << "Oggi dopo";
        QTest::newRow("none today: from the oldest") << QStringList{"11/01/2026|08.00|Vista|S", "11/02/2026|08.00|Vecchia|",
                                                                    "12/20/2026|08.00|Più tardi|"}
                                                     << "Scadenza più vicina: \"Vecchia\" - 02/11/2026  08.00" << "Vecchia";
        QTest::newRow("all seen") << QStringList{"12/20/2026|08.00|Vista|S"} << "" << "";
    }

    void nearest()
    {
        QFETCH(QStringList, rows);
        QFETCH(QString, shown);
        QFETCH(QString, current);
        QStringList sql;
        for (const QString &r : rows) {
            const QStringList c = r.split(QLatin1Char('|'));
            sql << QStringLiteral("INSERT INTO scadenze (data, ora, scadenza, pc, mail, letto) VALUES ('%1', '%2', '%3', 'tutti', '', %4)")
                       .arg(c[0], c[1], c[2], c[3].isEmpty() ? QStringLiteral("NULL") : QStringLiteral("'S'"));
        }
        m_db->exec(sql);
        Workstation w(*m_db, thisPc);
        QSignalSpy nearest(w.page.get(), &DeadlinePage::nearestShown);
        ScriptedDialogs d;
        if (std::any_of(rows.begin(), rows.end(), [](const QString &r) {
                return r.section(QLatin1Char('|'), 3).isEmpty()
                       && QDate::fromString(r.left(10), QStringLiteral("MM/dd/yyyy")) < standingNow().date();
            }))
            d.no();   // an unseen deadline in the past leaves it unseen
        QVERIFY(w.page->open());
        VERIFY_DIALOGS_DONE(d);
        if (shown.isEmpty()) {
            QCOMPARE(nearest.count(), 0);
            return;
        }
        QCOMPARE(nearest.count(), 1);
        QCOMPARE(nearest.first().at(0).toString(), shown);
        QCOMPARE(w.dm->t_sca.value(QStringLiteral("scadenza")).toString(), current);
        const QModelIndexList selected = w.page->dbg_scad->selectionModel()->selectedRows();
        QCOMPARE(selected.size(), 1);
        QCOMPARE(selected.first().row(), w.dm->t_sca.row());
    }

    void listsAndCaption()
    {
        m_db->exec({QStringLiteral("INSERT INTO scadenze (data, ora, scadenza, pc, mail) VALUES ('12/10/2026', '18.00', 'Stasera', 'tutti', '')"),
                    QStringLiteral("INSERT INTO scadenze (data, ora, scadenza, pc, mail) VALUES ('12/10/2026', '19.00', 'Stasera altrui', '10.0.0.2', '')"),
                    QStringLiteral("INSERT INTO festivita (giorno, mese, festa) VALUES (8, 12, 'Immacolata')")});
        Workstation w(*m_db, thisPc);
        QVERIFY(w.page->open());
        QCOMPARE(w.page->days->title(), QStringLiteral("ELENCO SCADENZE DI GIORNO 10/12/2026"));
        QCOMPARE(w.dm->t_sca_gg.rowCount(), 1);
        QCOMPARE(w.dm->t_fes.rowCount(), 1);
        QCOMPARE(w.page->dbg_scad->model()->rowCount(), 1);
    }

    void notConnected()
    {
        Tdm dm;
        dm.pc = thisPc;
        DeadlinePage page(dm);
        ScriptedDialogs d;
        d.ok();
        QVERIFY(!page.open());
        QCOMPARE(d.shown().size(), 1);
        QCOMPARE(d.shown().first().kind, QStringLiteral("warning"));
        QVERIFY(d.shown().first().text.startsWith(QStringLiteral(
            "Database non connesso!!!\nVerificare che il Server sia acceso e che la connessione sia stabilita,\n"
            "quindi chiudere il programma \"Velmora\" e riavviarlo!\n")));
        QVERIFY(d.shown().first().text.size() > 150);   // the database's own text follows
    }

    void showingResetsTheFields()
    {
        m_db->exec({QStringLiteral("INSERT INTO client (utente, pc) VALUES ('Bruno', '10.0.0.2')"),
                    QStringLiteral("INSERT INTO client (utente, pc) VALUES ('Anna', '10.0.0.1')")});
        Workstation w(*m_db, thisPc);
        m_db->exec({QStringLiteral("UPDATE parametri SET ind_mail='preside@scuola.example' || ASCII_CHAR(13) || ASCII_CHAR(10) || 'dsga@scuola.example'")});
        w.editor().edt_ora->setText(QStringLiteral("07"));
        w.editor().edt_min->setText(QStringLiteral("15"));
        w.page->presetFields();
        w.page->loadChoices();
        QCOMPARE(w.editor().edt_ora->text(), QStringLiteral("10"));
        QCOMPARE(w.editor().edt_min->text(), QStringLiteral("30"));
        QCOMPARE(w.page->calendar->edt_anno->value(), 2026);
        QCOMPARE(w.page->calendar->cmb_mese->currentText(), QStringLiteral("Dicembre"));
        QStringList users, addresses;
        for (int i = 0; i < w.editor().cmb_utente_scad->count(); ++i)
            users << w.editor().cmb_utente_scad->itemText(i);
        for (int i = 0; i < w.editor().edt_mail_dest->count(); ++i)
            addresses << w.editor().edt_mail_dest->itemText(i);
        QCOMPARE(users, (QStringList{QString(), QStringLiteral("Anna"), QStringLiteral("Bruno")}));
        QCOMPARE(addresses, (QStringList{QStringLiteral("preside@scuola.example"), QStringLiteral("dsga@scuola.example")}));
    }
};

QTEST_MAIN(TestManage)
#include "test_manage.moc"
