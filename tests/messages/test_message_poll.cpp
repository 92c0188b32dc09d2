// The poll of timer_sms between workstations on one database, and "Elimina messaggi".
#include "MessageFixture.h"
#include "messages/Messages.h"

#include <functional>

using namespace velmora;
using namespace velmora::test;

namespace {

// Runs a step while the message box is open, then answers it.
class BoxWatch : public ScriptedDialogs {
public:
    std::function<void()> whileOpen;
    void plain(const QString &text) override
    {
        if (whileOpen)
            whileOpen();
        ScriptedDialogs::plain(text);
    }
};

} // namespace

class TestMessagePoll : public QObject {
    Q_OBJECT

    std::unique_ptr<TempDatabase> m_db;
    std::unique_ptr<BoxWatch> m_dialogs;
    std::unique_ptr<RecordingSound> m_sound;

    void insert(const QString &pc, const QString &text, const QString &sender)
    {
        m_db->exec({messages::insertStatement(pc, text, sender)});
    }

private Q_SLOTS:
    void init()
    {
        m_db = std::make_unique<TempDatabase>();
        m_db->exec({directoryRow(QStringLiteral("Rossi Maria"), pcA), directoryRow(QStringLiteral("Bianchi Anna"), pcB),
                    directoryRow(QStringLiteral("Verdi Luca"), pcC)});
        m_dialogs = std::make_unique<BoxWatch>();
        m_sound = std::make_unique<RecordingSound>();
    }
    void cleanup()
    {
        VERIFY_DIALOGS_DONE(*m_dialogs);
        m_sound.reset();
        m_dialogs.reset();
        m_db.reset();
    }

    // A sends to B through the window: B shows it once and removes it; A never shows it.
    void sentAndShownOnce()
    {
        Workstation a(*m_db, pcA, QStringLiteral("Rossi Maria"));
        Workstation b(*m_db, pcB, QStringLiteral("Bianchi Anna"));
        m_dialogs->yes();
        a.send(QStringLiteral("Bianchi Anna"), QStringLiteral("Riunione alle 11\nin presidenza"));

        a.poll.tick();
        QCOMPARE(m_dialogs->texts().size(), 1);
        QVERIFY(m_sound->played().isEmpty());

        bool pollWasOff = false;
        m_dialogs->whileOpen = [&] { pollWasOff = !b.timer_sms.isActive(); };
        m_dialogs->ok();
        b.poll.tick();
        QVERIFY(pollWasOff);
        QVERIFY(b.timer_sms.isActive());
        QCOMPARE(b.timer_sms.interval(), 10000);
        QCOMPARE(m_dialogs->texts().last(),
                 QStringLiteral("plain: M E S S A G G I O !!!\n\nDA: Rossi Maria\nRiunione alle 11\nin presidenza"));
        QCOMPARE(m_sound->played(), QStringList{soundFile});
        QVERIFY(messageRows(*m_db).isEmpty());

        b.poll.tick();
        a.poll.tick();
        QCOMPARE(m_dialogs->texts().size(), 2);
        QCOMPARE(m_sound->played().size(), 1);
    }

    // The same text for B and C: B's removal leaves C's message.
    void sameTextForTwo()
    {
        Workstation b(*m_db, pcB, QStringLiteral("Bianchi Anna"));
        Workstation c(*m_db, pcC, QStringLiteral("Verdi Luca"));
        insert(pcB, QStringLiteral("Riunione"), QStringLiteral("Rossi Maria"));
        insert(pcC, QStringLiteral("Riunione"), QStringLiteral("Rossi Maria"));

        m_dialogs->ok();
        b.poll.tick();
        QCOMPARE(messageRows(*m_db), QStringList{pcC + QStringLiteral("|Riunione|Rossi Maria")});
        m_dialogs->ok();
        c.poll.tick();
        QCOMPARE(m_dialogs->texts(), QStringList(2, shownMessage(QStringLiteral("Rossi Maria"), QStringLiteral("Riunione"))));
        QVERIFY(messageRows(*m_db).isEmpty());
    }

    // One message a tick, in the order the table gives them; the same text
    // twice for one workstation is two messages.
    void onePerTick()
    {
        Workstation b(*m_db, pcB, QStringLiteral("Bianchi Anna"));
        insert(pcB, QStringLiteral("Primo"), QStringLiteral("Rossi Maria"));
        insert(pcB, QStringLiteral("Secondo"), QStringLiteral("Verdi Luca"));
        insert(pcB, QStringLiteral("Secondo"), QStringLiteral("Verdi Luca"));
        for (int shown = 1; shown <= 3; ++shown) {
            m_dialogs->ok();
            b.poll.tick();
            QCOMPARE(m_dialogs->texts().size(), shown);
            QCOMPARE(messageRows(*m_db).size(), 3 - shown);
        }
        b.poll.tick();
        QCOMPARE(m_dialogs->texts(), (QStringList{shownMessage(QStringLiteral("Rossi Maria"), QStringLiteral("Primo")),
                                                  shownMessage(QStringLiteral("Verdi Luca"), QStringLiteral("Secondo")),
                                                  shownMessage(QStringLiteral("Verdi Luca"), QStringLiteral("Secondo"))}));
        QCOMPARE(m_sound->played().size(), 3);
    }

    // Shown as stored: rows written by others are passed over, whatever
    // their sender or text.
    void shownAsStored_data()
    {
        QTest::addColumn<QString>("pc");
        QTest::addColumn<QString>("sender");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("shown");
        QTest::newRow("sender without directory row") << pcB << "" << "Chi sono?" << true;
        QTest::newRow("apostrophes") << pcB << "Dell'Orto Pia" << "L'aula è all'ultimo piano" << true;
        QTest::newRow("blanks only") << pcB << "Rossi Maria" << "  \n " << true;
        QTest::newRow("for tutti") << "tutti" << "Rossi Maria" << "A tutti" << false;
        QTest::newRow("for another workstation") << pcC << "Rossi Maria" << "Per Luca" << false;
    }

    void shownAsStored()
    {
        QFETCH(QString, pc);
        QFETCH(QString, sender);
        QFETCH(QString, text);
        QFETCH(bool, shown);
        Workstation b(*m_db, pcB, QStringLiteral("Bianchi Anna"));
        insert(pc, text, sender);
        if (shown)
            m_dialogs->ok();
        b.poll.tick();
        QCOMPARE(m_dialogs->texts(), shown ? QStringList{shownMessage(sender, text)} : QStringList{});
        QCOMPARE(messageRows(*m_db).size(), shown ? 0 : 1);
        QVERIFY(b.timer_sms.isActive());
    }

    // A workstation whose user has no directory row sends with an empty name.
    void senderWithoutName()
    {
        Workstation x(*m_db, QStringLiteral("10.0.0.9"), QString());
        Workstation b(*m_db, pcB, QStringLiteral("Bianchi Anna"));
        m_dialogs->yes().ok();
        x.send(QStringLiteral("Bianchi Anna"), QStringLiteral("Ciao"));
        b.poll.tick();
        QCOMPARE(m_dialogs->texts().last(), QStringLiteral("plain: M E S S A G G I O !!!\n\nDA: \nCiao"));
    }

    // The table cannot be read after the box: the poll goes on at the next tick.
    void resumesAfterFailedReopen()
    {
        Workstation b(*m_db, pcB, QStringLiteral("Bianchi Anna"));
        insert(pcB, QStringLiteral("Primo"), QStringLiteral("Rossi Maria"));
        insert(pcB, QStringLiteral("Secondo"), QStringLiteral("Rossi Maria"));
        // A statement the server refuses stands for a table it cannot read.
        m_dialogs->whileOpen = [&] { b.dm->t_sms.setSql(QStringLiteral("select * from messaggi_perduti")); };
        m_dialogs->ok();
        b.poll.tick();
        QVERIFY(!b.dm->t_sms.isOpen());
        QVERIFY(b.timer_sms.isActive());

        // Still unreadable: nothing shown, and the poll still runs.
        m_dialogs->whileOpen = nullptr;
        b.poll.tick();
        QVERIFY(b.timer_sms.isActive());
        QCOMPARE(m_dialogs->texts().size(), 1);

        b.dm->t_sms.setSql(QStringLiteral("select * from messaggi"));
        m_dialogs->ok();
        b.poll.tick();
        QCOMPARE(m_dialogs->texts().last(), shownMessage(QStringLiteral("Rossi Maria"), QStringLiteral("Secondo")));
    }

    // A message whose removal fails stays and comes again.
    void removalFails()
    {
        Workstation b(*m_db, pcB, QStringLiteral("Bianchi Anna"));
        const auto holder = m_db->connect(QStringLiteral("holder"));
        insert(pcB, QStringLiteral("Primo"), QStringLiteral("Rossi Maria"));
        holder->tr_blocca.start();
        holder->q_blocca.setText(QStringLiteral("UPDATE messaggi SET id=id"));
        holder->q_blocca.execute();
        m_dialogs->ok();
        b.poll.tick();
        QCOMPARE(messageRows(*m_db).size(), 1);
        QVERIFY(b.timer_sms.isActive());
        holder->sblocca(QStringLiteral("1"));

        m_dialogs->ok();
        b.poll.tick();
        QCOMPARE(m_dialogs->texts(), QStringList(2, shownMessage(QStringLiteral("Rossi Maria"), QStringLiteral("Primo"))));
        QVERIFY(messageRows(*m_db).isEmpty());
    }

    // A dead connection: nothing shown, no error, and the timer runs on.
    void deadConnection()
    {
        Workstation b(*m_db, pcB, QStringLiteral("Bianchi Anna"));
        insert(pcB, QStringLiteral("Primo"), QStringLiteral("Rossi Maria"));
        b.dm->disconnect();
        b.poll.tick();
        b.poll.tick();
        QVERIFY(b.timer_sms.isActive());
        QVERIFY(m_dialogs->shown().isEmpty());
    }

    // The connection closed while the box was open (the program ending): the
    // poll is not switched on again.
    void closedWhileShown()
    {
        Workstation b(*m_db, pcB, QStringLiteral("Bianchi Anna"));
        insert(pcB, QStringLiteral("Primo"), QStringLiteral("Rossi Maria"));
        m_dialogs->whileOpen = [&] { b.dm->disconnect(); };
        m_dialogs->ok();
        b.poll.tick();
        QVERIFY(!b.timer_sms.isActive());
        QCOMPARE(messageRows(*m_db).size(), 1);
    }

    void emptyAll_data()
    {
        QTest::addColumn<bool>("confirmed");
        QTest::newRow("confirmed") << true;
        QTest::newRow("declined") << false;
    }

    void emptyAll()
    {
        QFETCH(bool, confirmed);
        const auto a = m_db->connect(pcA);
        insert(pcB, QStringLiteral("Primo"), QStringLiteral("Rossi Maria"));
        insert(pcC, QStringLiteral("Secondo"), QStringLiteral("Rossi Maria"));
        insert(QStringLiteral("tutti"), QStringLiteral("Terzo"), QStringLiteral("Rossi Maria"));
        confirmed ? m_dialogs->yes() : m_dialogs->no();
        messages::emptyAll(*a);
        QCOMPARE(m_dialogs->texts(),
                 QStringList{QStringLiteral("question: Continuando tutti i messaggi verranno SVUOTATI?\nConfermare operazione?")});
        QCOMPARE(messageRows(*m_db).size(), confirmed ? 0 : 3);
    }
};

QTEST_MAIN(TestMessagePoll)
#include "test_message_poll.moc"
