// The yearly generation: its warnings, the seen flag, the duplicate test
// over what is stored, the two lists and their boxes.
#include "PageFixture.h"
#include "TableFixture.h"
#include "tables/AnnualPage.h"

#include <QPlainTextEdit>
#include <QSignalSpy>

using namespace velmora;
using namespace velmora::test;

namespace {

const QString ask = QStringLiteral("question: Confermi operazione?");
const QString done = QStringLiteral("information: Operazione effettuata!");
const QString registeredTitle = QStringLiteral("SCADENZE NON INSERITE PERCHE' GIA' REGISTRATE:");
const QString failedTitle = QStringLiteral("SCADENZE NON ANDATE A BUON FINE:");

QString annual(int day, int month, const QString &time, const QString &text)
{
    return QStringLiteral("INSERT INTO annuali(giorno, mese, ora, scadenza) VALUES(%1, %2, %3, '%4')")
        .arg(day)
        .arg(month)
        .arg(time.isNull() ? QStringLiteral("NULL") : QLatin1Char('\'') + time + QLatin1Char('\''), text);
}

struct Generator {
    std::unique_ptr<Tdm> dm;
    std::unique_ptr<AnnualPage> page;
    explicit Generator(const TempDatabase &db, const QString &key = thisPc)
        : dm(db.connect(key)), page(std::make_unique<AnnualPage>(*dm))
    {
        QVERIFY(page->open());
    }
    void run(const QString &year)
    {
        page->edt_anno_scad->setText(year);
        press(page->BitBtn18);
    }
};

// A clock that stands still and, the first time it is read once `when`
// holds, lets another workstation act: what happens meanwhile elsewhere.
class MeanwhileClock : public Clock {
public:
    explicit MeanwhileClock(const QDateTime &at) : m_at(at) { setClock(this); }
    ~MeanwhileClock() override { setClock(nullptr); }
    MeanwhileClock(const MeanwhileClock &) = delete;
    MeanwhileClock &operator=(const MeanwhileClock &) = delete;

    QDateTime now() const override
    {
        if (when && when()) {
            when = nullptr;
            meanwhile();
        }
        return m_at;
    }

    mutable std::function<bool()> when;
    std::function<void()> meanwhile;

private:
    QDateTime m_at;
};

} // namespace

class TestGeneration : public QObject {
    Q_OBJECT

    std::unique_ptr<TempDatabase> m_db;

private Q_SLOTS:
    void init()
    {
        m_db = std::make_unique<TempDatabase>();
    }

    void refused_data()
    {
        QTest::addColumn<bool>("rows");
        QTest::addColumn<QString>("year");
        QTest::addColumn<QString>("warning");
        QTest::newRow("no annual deadline") << false << QStringLiteral("2026") << QStringLiteral("Nessuna scadenza annuale registrata!");
        QTest::newRow("no year") << true << QString() << QStringLiteral("Anno di registrazione assente o improprio!");
        QTest::newRow("three digits") << true << QStringLiteral("202") << QStringLiteral("Anno di registrazione assente o improprio!");
        QTest::newRow("past year") << true << QStringLiteral("2025")
                                   << QStringLiteral("L'anno di registrazione non può essere inferiore a quello in corso!");
    }

    void refused()
    {
        QFETCH(bool, rows);
        QFETCH(QString, year);
        QFETCH(QString, warning);
        if (rows)
            m_db->exec({annual(1, 9, QStringLiteral("08.00"), QStringLiteral("Inizio anno"))});
        SettableClock clock(standingNow());
        ScriptedDialogs d;
        Generator g(*m_db);
        d.ok();
        g.run(year);
        QCOMPARE(d.texts(), QStringList{QStringLiteral("warning: ") + warning});
        QVERIFY(deadlineRows(*m_db).isEmpty());
        VERIFY_DIALOGS_DONE(d);
    }

    // On 1 July the deadlines up to that day are stored as seen; a second
    // run stores nothing and lists everything as already registered.
    void firstOfJulyTwice()
    {
        m_db->exec({annual(30, 6, QStringLiteral("09.00"), QStringLiteral("Fine dell''anno")),
                    annual(1, 7, QStringLiteral("23.00"), QStringLiteral("Oggi sera")),
                    annual(2, 7, QStringLiteral("08.00"), QStringLiteral("Domani"))});
        SettableClock clock(QDateTime(QDate(2026, 7, 1), QTime(10, 0)));
        ScriptedDialogs d;
        Generator g(*m_db);
        QSignalSpy stored(g.page.get(), &AnnualPage::deadlinesStored);
        d.no();
        g.run(QStringLiteral("2026"));
        QVERIFY(deadlineRows(*m_db).isEmpty());
        d.yes().ok();
        g.run(QStringLiteral("2026"));
        QCOMPARE(d.texts(), (QStringList{ask, ask, done}));
        const QStringList first{QStringLiteral("Fine dell'anno|30/06/2026|09.00|tutti|<null>|S"),
                                QStringLiteral("Oggi sera|01/07/2026|23.00|tutti|<null>|S"),
                                QStringLiteral("Domani|02/07/2026|08.00|tutti|<null>|")};
        QCOMPARE(deadlineRows(*m_db), first);
        QCOMPARE(stored.size(), 1);
        QCOMPARE(g.dm->t_sca.rowCount(), 3);

        d.yes().ok().ok();
        g.run(QStringLiteral("2026"));
        QCOMPARE(d.texts().mid(3), (QStringList{ask,
                                                QStringLiteral("information: ") + registeredTitle
                                                    + QStringLiteral("\n30/6  -  Fine dell'anno\n1/7  -  Oggi sera\n2/7  -  Domani\n"),
                                                done}));
        QCOMPARE(deadlineRows(*m_db), first);
        QCOMPARE(g.page->memo_mem2->toPlainText(), QStringLiteral("30/6  -  Fine dell'anno\n1/7  -  Oggi sera\n2/7  -  Domani"));
        QVERIFY(g.page->memo_mem->toPlainText().isEmpty());
        VERIFY_DIALOGS_DONE(d);
    }

    // A search that narrowed the general list does not hide what is stored,
    // and the list comes back whole for the deadline page.
    void searchInProgress()
    {
        m_db->exec({annual(1, 3, QStringLiteral("10.00"), QStringLiteral("Marzo")),
                    QStringLiteral("INSERT INTO scadenze(scadenza, data, ora, pc) VALUES('Già presa', '03/01/2027', '10.00', 'tutti')"),
                    QStringLiteral("INSERT INTO scadenze(scadenza, data, ora, pc) VALUES('Altro', '05/01/2027', '10.00', 'tutti')")});
        SettableClock clock(standingNow());
        ScriptedDialogs d;
        Workstation ws(*m_db, thisPc);
        ws.show();
        ws.page->search->edt_cscad->setText(QStringLiteral("Altro"));
        Workstation::click(ws.page->search->bbt_cerca_scad);
        QCOMPARE(texts(ws.dm->t_sca), QStringList{QStringLiteral("Altro")});

        AnnualPage page(*ws.dm);
        QVERIFY(page.open());
        connect(&page, &AnnualPage::deadlinesStored, ws.page.get(), &DeadlinePage::refreshLists);
        page.edt_anno_scad->setText(QStringLiteral("2027"));
        d.yes().ok().ok();
        press(page.BitBtn18);
        QCOMPARE(d.texts().at(1), QStringLiteral("information: ") + registeredTitle + QStringLiteral("\n1/3  -  Marzo\n"));
        QCOMPARE(deadlineRows(*m_db).size(), 2);
        QCOMPARE(ws.dm->t_sca.sql(), sql::generalList(*ws.dm));
        QCOMPARE(ws.page->dbg_scad->model()->rowCount(), 2);
        VERIFY_DIALOGS_DONE(d);
    }

    // 29 February into a common year and a row without a time are listed
    // as failed; the run goes on with the rows after them.
    void failedRowsGoOn()
    {
        m_db->exec({annual(29, 2, QStringLiteral("10.00"), QStringLiteral("Bisestile")),
                    annual(3, 3, QString(), QStringLiteral("Senza ora")),
                    annual(4, 4, QStringLiteral("10.00"), QStringLiteral("Presa")),
                    annual(5, 5, QStringLiteral("10.00"), QStringLiteral("Buona")),
                    QStringLiteral("INSERT INTO scadenze(scadenza, data, ora, pc) VALUES('Mia', '04/04/2027', '10.00', '10.0.0.1')")});
        SettableClock clock(standingNow());
        ScriptedDialogs d;
        Generator g(*m_db);
        d.yes().ok();
        g.run(QStringLiteral("2027"));
        QCOMPARE(d.texts(), (QStringList{ask, QStringLiteral("information: ") + registeredTitle + QStringLiteral("\n4/4  -  Presa\n\n\n")
                                                  + failedTitle + QStringLiteral("29/2  -  Bisestile\n3/3  -  Senza ora\n")}));
        QCOMPARE(deadlineRows(*m_db), (QStringList{QStringLiteral("Mia|04/04/2027|10.00|10.0.0.1|<null>|<null>"),
                                                   QStringLiteral("Buona|05/05/2027|10.00|tutti|<null>|")}));
        // Read again in this ending too: the page shows what was stored.
        QCOMPARE(g.dm->t_sca.rowCount(), 2);

        // Only failures: their box, then the end.
        m_db->exec({QStringLiteral("DELETE FROM annuali WHERE giorno<>29")});
        QVERIFY(g.page->open());
        d.yes().ok().ok();
        g.run(QStringLiteral("2027"));
        QCOMPARE(d.texts().mid(2), (QStringList{ask, QStringLiteral("information: ") + failedTitle + QStringLiteral("\n29/2  -  Bisestile\n"), done}));
        VERIFY_DIALOGS_DONE(d);
    }

    // Two annual rows on one day and time (a database made before the
    // annual table's key): the second finds the moment the run stored.
    void ownRowsCount()
    {
        m_db->exec({QStringLiteral("ALTER TABLE annuali DROP CONSTRAINT uq_annuali"),
                    annual(10, 10, QStringLiteral("09.00"), QStringLiteral("Prima")),
                    annual(10, 10, QStringLiteral("09.00"), QStringLiteral("Doppia"))});
        SettableClock clock(standingNow());
        ScriptedDialogs d;
        Generator g(*m_db);
        // Rows of one day come in the server's order: the first is stored.
        const QStringList order = texts(g.dm->t_ann);
        QCOMPARE(order.size(), 2);
        d.yes().ok().ok();
        g.run(QStringLiteral("2027"));
        QCOMPARE(d.texts(), (QStringList{ask, QStringLiteral("information: ") + registeredTitle + QStringLiteral("\n10/10  -  ")
                                                  + order[1] + QLatin1Char('\n'),
                                         done}));
        QCOMPARE(deadlineRows(*m_db), QStringList{order[0] + QStringLiteral("|10/10/2027|09.00|tutti|<null>|")});
        VERIFY_DIALOGS_DONE(d);
    }

    // Another workstation generates the same year while this one runs,
    // after this one read the general list: the key of an upgraded database
    // refuses this run's rows, which are listed as failed, never stored twice.
    void otherWorkstationMeanwhile()
    {
        m_db->exec({QStringLiteral("ALTER TABLE scadenze DROP CONSTRAINT uq_scadenze"),
                    annual(1, 3, QStringLiteral("10.00"), QStringLiteral("Marzo")),
                    annual(1, 4, QStringLiteral("10.00"), QStringLiteral("Aprile"))});
        MeanwhileClock clock(standingNow());
        ScriptedDialogs d;
        Generator here(*m_db);
        upgradeAfterConnect(*here.dm);
        Generator there(*m_db, otherPc);
        // Once this run was confirmed and its duplicate test read what is stored.
        clock.when = [&d] { return d.texts() == QStringList{ask}; };
        clock.meanwhile = [&there] { there.run(QStringLiteral("2027")); };
        d.yes().yes().ok().ok().ok();
        here.run(QStringLiteral("2027"));
        QCOMPARE(d.texts(), (QStringList{ask, ask, done,
                                         QStringLiteral("information: ") + failedTitle
                                             + QStringLiteral("\n1/3  -  Marzo\n1/4  -  Aprile\n"),
                                         done}));
        QCOMPARE(deadlineRows(*m_db), (QStringList{QStringLiteral("Marzo|01/03/2027|10.00|tutti|<null>|"),
                                                   QStringLiteral("Aprile|01/04/2027|10.00|tutti|<null>|")}));
        // This workstation's list shows the other's rows at once.
        QCOMPARE(texts(here.dm->t_sca), (QStringList{QStringLiteral("Marzo"), QStringLiteral("Aprile")}));
        VERIFY_DIALOGS_DONE(d);
    }

    // In a leap year 29 February is generated like any day.
    void leapYear()
    {
        m_db->exec({annual(29, 2, QStringLiteral("10.00"), QStringLiteral("Bisestile"))});
        SettableClock clock(standingNow());
        ScriptedDialogs d;
        Generator g(*m_db);
        d.yes().ok();
        g.run(QStringLiteral("2028"));
        QCOMPARE(d.texts(), (QStringList{ask, done}));
        QCOMPARE(deadlineRows(*m_db), QStringList{QStringLiteral("Bisestile|29/02/2028|10.00|tutti|<null>|")});
        VERIFY_DIALOGS_DONE(d);
    }
};

QTEST_MAIN(TestGeneration)
#include "test_generation.moc"
