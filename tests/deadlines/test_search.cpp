// The search box over the general list.
#include "PageFixture.h"

using namespace velmora;
using namespace velmora::test;

class TestSearch : public QObject {
    Q_OBJECT

    std::unique_ptr<TempDatabase> m_db;
    std::unique_ptr<SettableClock> m_clock;
    std::unique_ptr<Workstation> m_w;

    QStringList found() const { return texts(m_w->dm->t_sca); }

private Q_SLOTS:
    void init()
    {
        m_clock = std::make_unique<SettableClock>(standingNow());
        m_db = std::make_unique<TempDatabase>();
        m_db->exec({
            QStringLiteral("INSERT INTO scadenze (data, ora, scadenza, pc, mail) VALUES ('03/24/2024', '08.59', 'consiglio di classe', 'tutti', '')"),
            QStringLiteral("INSERT INTO scadenze (data, ora, scadenza, pc, mail) VALUES ('03/25/2024', '09.00', 'Collegio dell''anno', '10.0.0.1', 'preside@scuola.example')"),
            QStringLiteral("INSERT INTO scadenze (data, ora, scadenza, pc, mail) VALUES ('03/25/2024', '11.30', 'Scrutinio', 'tutti', NULL)"),
            QStringLiteral("INSERT INTO scadenze (data, ora, scadenza, pc, mail) VALUES ('03/26/2024', '07.15', 'CONSIGLIO d''istituto', 'tutti', 'dsga@scuola.example')"),
            QStringLiteral("INSERT INTO scadenze (data, ora, scadenza, pc, mail) VALUES ('03/25/2024', '08.00', 'Consiglio altrui', '10.0.0.2', '')"),
        });
        m_w = std::make_unique<Workstation>(*m_db, thisPc);
        ScriptedDialogs d;
        d.no();   // the past deadlines stay unseen
        m_w->show();
        VERIFY_DIALOGS_DONE(d);
    }
    void cleanup()
    {
        m_w.reset();
        m_db.reset();
        m_clock.reset();
    }

    void search_data()
    {
        QTest::addColumn<QString>("word");
        QTest::addColumn<QString>("dateOp");
        QTest::addColumn<QString>("date");
        QTest::addColumn<QString>("timeOp");
        QTest::addColumn<QString>("time");
        QTest::addColumn<QString>("mail");
        QTest::addColumn<QStringList>("rows");

        const QStringList all{QStringLiteral("consiglio di classe"), QStringLiteral("Collegio dell'anno"),
                              QStringLiteral("Scrutinio"), QStringLiteral("CONSIGLIO d'istituto")};
        QTest::newRow("all empty") << "" << "=" << "" << "=" << "" << "" << all;
        QTest::newRow("word in capitals") << "CONSIGLIO" << "=" << "" << "=" << "" << ""
                                          << QStringList{QStringLiteral("consiglio di classe"), QStringLiteral("CONSIGLIO d'istituto")};
        QTest::newRow("word with apostrophe") << "dell'anno" << "=" << "" << "=" << "" << ""
                                              << QStringList{QStringLiteral("Collegio dell'anno")};
        QTest::newRow("date =") << "" << "=" << "25/03/2024" << "=" << "" << ""
                                << QStringList{QStringLiteral("Collegio dell'anno"), QStringLiteral("Scrutinio")};
        QTest::newRow("date >") << "" << ">" << "25/03/2024" << "=" << "" << "" << QStringList{QStringLiteral("CONSIGLIO d'istituto")};
        QTest::newRow("date <") << "" << "<" << "25/03/2024" << "=" << "" << "" << QStringList{QStringLiteral("consiglio di classe")};
        QTest::newRow("time <") << "" << "=" << "" << "<" << "09.00" << ""
                                << QStringList{QStringLiteral("consiglio di classe"), QStringLiteral("CONSIGLIO d'istituto")};
        QTest::newRow("time =") << "" << "=" << "" << "=" << "11.30" << "" << QStringList{QStringLiteral("Scrutinio")};
        QTest::newRow("mail S") << "" << "=" << "" << "=" << "" << "S"
                                << QStringList{QStringLiteral("Collegio dell'anno"), QStringLiteral("CONSIGLIO d'istituto")};
        QTest::newRow("word and date") << "consiglio" << ">" << "24/03/2024" << "=" << "" << ""
                                       << QStringList{QStringLiteral("CONSIGLIO d'istituto")};
        QTest::newRow("wildcard in the word") << "c_ns" << "=" << "" << "=" << "" << ""
                                              << QStringList{QStringLiteral("consiglio di classe"), QStringLiteral("CONSIGLIO d'istituto")};
    }

    void search()
    {
        QFETCH(QString, word);
        QFETCH(QString, dateOp);
        QFETCH(QString, date);
        QFETCH(QString, timeOp);
        QFETCH(QString, time);
        QFETCH(QString, mail);
        QFETCH(QStringList, rows);
        SearchPanel &s = *m_w->page->search;
        s.edt_cscad->setText(word);
        s.cmb_cdata->setCurrentText(dateOp);
        s.mke_cdata->setText(date);
        s.cmb_cora->setCurrentText(timeOp);
        s.edt_cora->setText(time);
        s.cmb_mail->setCurrentText(mail);
        QSignalSpy counts(m_w->page.get(), &DeadlinePage::countShown);
        Workstation::click(s.bbt_cerca_scad);
        QCOMPARE(found(), rows);
        QCOMPARE(m_w->page->dbg_scad->model()->rowCount(), rows.size());
        QVERIFY(!counts.isEmpty());
        QCOMPARE(counts.last().at(0).toString(), QStringLiteral("Tot. Scadenze: ") + QString::number(rows.size()));
    }

    void statementLines()
    {
        SearchPanel &s = *m_w->page->search;
        s.edt_cscad->setText(QStringLiteral("Dell'ANNO"));
        s.cmb_cdata->setCurrentText(QStringLiteral(">"));
        s.mke_cdata->setText(QStringLiteral("25/03/2024"));
        s.cmb_cora->setCurrentText(QStringLiteral("<"));
        s.edt_cora->setText(QStringLiteral("09.00"));
        s.cmb_mail->setCurrentText(QStringLiteral("S"));
        QCOMPARE(s.statement(), QStringLiteral("select data, ora, scadenza, mail, letto, pc, id \n"
                                               "FROM scadenze WHERE (pc='tutti' OR pc='10.0.0.1') \n"
                                               "AND lower(scadenza) LIKE ('%dell''anno%') \n"
                                               "AND data>'03/25/2024' \n"
                                               "AND ora<'09.00' \n"
                                               "AND mail LIKE ('%@%') \n"
                                               "ORDER BY data,ora"));
    }

    void clearShowsEverything()
    {
        SearchPanel &s = *m_w->page->search;
        s.edt_cscad->setText(QStringLiteral("scrutinio"));
        s.cmb_cdata->setCurrentText(QStringLiteral(">"));
        Workstation::click(s.bbt_cerca_scad);
        QCOMPARE(found().size(), 1);
        QSignalSpy counts(m_w->page.get(), &DeadlinePage::countShown);
        Workstation::click(s.bbt_pul);
        QCOMPARE(found().size(), 4);
        QVERIFY(s.edt_cscad->text().isEmpty());
        QCOMPARE(s.mke_cdata->text(), QStringLiteral("  /  /    "));
        QCOMPARE(s.edt_cora->text(), QStringLiteral("  .  "));
        QCOMPARE(s.cmb_cdata->currentText(), QStringLiteral(">"));   // operators keep their choice
        QCOMPARE(counts.last().at(0).toString(), QStringLiteral("Tot. Scadenze: 4"));
    }

    void mailMarkOnRowsWithAddress()
    {
        const QAbstractItemModel *m = m_w->page->dbg_scad->model();
        QStringList marked;
        for (int r = 0; r < m->rowCount(); ++r)
            if (!m->headerData(r, Qt::Vertical, Qt::DecorationRole).value<QPixmap>().isNull())
                marked << found().at(r);
        QCOMPARE(marked, (QStringList{QStringLiteral("Collegio dell'anno"), QStringLiteral("CONSIGLIO d'istituto")}));
    }

    // A search keeps its rows for the duplicate check; an insert drops it.
    void insertDropsTheSearch()
    {
        SearchPanel &s = *m_w->page->search;
        s.edt_cscad->setText(QStringLiteral("scrutinio"));
        Workstation::click(s.bbt_cerca_scad);
        m_w->fill(QStringLiteral("Nuova"), QStringLiteral("11/12/2026"), QStringLiteral("09"), QStringLiteral("00"));
        ScriptedDialogs d;
        d.yes();
        Workstation::click(m_w->editor().bbt_ins);
        VERIFY_DIALOGS_DONE(d);
        QCOMPARE(found().size(), 5);
        QCOMPARE(s.edt_cscad->text(), QStringLiteral("scrutinio"));
    }
};

QTEST_MAIN(TestSearch)
#include "test_search.moc"
