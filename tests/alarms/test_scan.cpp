// The minute scan and the start-up check: which deadline is announced, and how.
#include "RecordingSound.h"
#include "ScriptedDialogs.h"
#include "SettableClock.h"
#include "SmtpServer.h"
#include "TempDatabase.h"
#include "alarms/Fmsg.h"
#include "alarms/Scan.h"
#include "db/Statements.h"
#include "db/Upgrade.h"
#include "widgets/PopupNotice.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QPointer>
#include <QtTest>

using namespace velmora;

namespace {

const QString thisPc = QStringLiteral("10.0.0.1");
const QDateTime tickMinute(QDate(2026, 12, 10), QTime(10, 30));

struct Row {
    const char *text;
    const char *time;
    const char *pc;      // nullptr: null
    const char *letto;   // nullptr: null
    const char *mail;    // nullptr: null
};

QString insert(const Row &r, const char *date = "12/10/2026")
{
    auto text = [](const char *v) { return v ? QStringLiteral("'%1'").arg(QString::fromUtf8(v)) : QStringLiteral("NULL"); };
    return QStringLiteral("INSERT INTO scadenze (data, ora, scadenza, pc, letto, mail) VALUES ('%1', '%2', %3, %4, %5, %6)")
        .arg(QString::fromLatin1(date), QString::fromLatin1(r.time), text(r.text), text(r.pc), text(r.letto), text(r.mail));
}

} // namespace

class TestScan : public QObject {
    Q_OBJECT

    std::unique_ptr<test::TempDatabase> m_db;
    std::unique_ptr<Tdm> m_dm;
    std::unique_ptr<test::SettableClock> m_clock;
    std::unique_ptr<test::RecordingSound> m_sound;
    std::unique_ptr<QPlainTextEdit> m_statusmemo;
    std::unique_ptr<PopupNotice> m_notice;
    std::unique_ptr<DeadlineScan> m_scan;
    QList<QPointer<Tfrm_msg>> m_windows;

    QStringList rows()
    {
        const auto dm = m_db->connect(QStringLiteral("reader"));
        dm->open(dm->t_sca, QStringLiteral("select scadenza, data, ora, pc, letto, mail from scadenze order by id"));
        QStringList out;
        for (int r = 0; r < dm->t_sca.rowCount(); ++r) {
            QStringList cells;
            for (int c = 0; c < dm->t_sca.columnCount(); ++c)
                cells << dm->t_sca.value(r, c).toString();
            out << cells.join(QLatin1Char('|'));
        }
        return out;
    }

private Q_SLOTS:
    void init()
    {
        m_clock = std::make_unique<test::SettableClock>(tickMinute.addMSecs(50));
        m_sound = std::make_unique<test::RecordingSound>();
        m_db = std::make_unique<test::TempDatabase>();
        m_dm = m_db->connect(thisPc);
        upgradeOnConnect(*m_dm);
        m_dm->open(m_dm->t_sca_timer, sql::generalList(*m_dm));
        m_statusmemo = std::make_unique<QPlainTextEdit>();
        m_notice = std::make_unique<PopupNotice>();
        m_windows.clear();
        m_scan = std::make_unique<DeadlineScan>(*m_dm, *m_statusmemo, *m_notice,
                                                [this](Tfrm_msg &w) { m_windows << &w; });
    }
    void cleanup()
    {
        for (const QPointer<Tfrm_msg> &w : m_windows)
            delete w.data();
        m_scan.reset();
        m_notice.reset();
        m_statusmemo.reset();
        m_dm.reset();
        m_db.reset();
        m_sound.reset();
        m_clock.reset();
    }

    void tick_data()
    {
        QTest::addColumn<QStringList>("sql");
        QTest::addColumn<QString>("announced");   // the window's text, empty: no window
        QTest::addColumn<bool>("mailMark");

        QTest::newRow("one due") << QStringList{insert({"Consiglio", "10.30", "tutti", nullptr, ""})} << "Consiglio" << false;
        QTest::newRow("letto empty is unseen") << QStringList{insert({"Generata", "10.30", "tutti", "", ""})} << "Generata" << false;
        QTest::newRow("pc null") << QStringList{insert({"Nessuno", "10.30", nullptr, nullptr, ""})} << "" << false;
        QTest::newRow("pc empty") << QStringList{insert({"Vuoto", "10.30", "", nullptr, ""})} << "" << false;
        QTest::newRow("another workstation") << QStringList{insert({"Altrui", "10.30", "10.0.0.2", nullptr, ""})} << "" << false;
        QTest::newRow("time 9.05 never matches") << QStringList{insert({"Corta", "10.3", "tutti", nullptr, ""})} << "" << false;
        QTest::newRow("another minute") << QStringList{insert({"Dopo", "10.31", "tutti", nullptr, ""})} << "" << false;
        QTest::newRow("another day") << QStringList{insert({"Domani", "10.30", "tutti", nullptr, ""}, "12/11/2026")} << "" << false;
        QTest::newRow("address: mail marker") << QStringList{insert({"Da inviare", "10.30", "10.0.0.1", nullptr, "preside@scuola.example"})}
                                              << "Da inviare" << true;
        QTest::newRow("null mail: no marker") << QStringList{insert({"Senza", "10.30", "tutti", nullptr, nullptr})} << "Senza" << false;
    }

    void tick()
    {
        QFETCH(QStringList, sql);
        QFETCH(QString, announced);
        QFETCH(bool, mailMark);
        m_db->exec(sql);
        const QStringList before = rows();
        m_scan->tick(tickMinute);
        QCOMPARE(rows(), before);   // the scan writes nothing
        if (announced.isEmpty()) {
            QCOMPARE(m_windows.size(), 0);
            QVERIFY(m_sound->played().isEmpty());
            return;
        }
        QCOMPARE(m_windows.size(), 1);
        Tfrm_msg &w = *m_windows.first();
        QCOMPARE(w.memo_scad_msg->toPlainText(), announced);
        QCOMPARE(w.lbl_data_msg->text(), QStringLiteral("10/12/2026"));
        QCOMPARE(w.lbl_ora_msg->text(), QStringLiteral("10.30"));
        QCOMPARE(w.img_mail->isVisibleTo(&w), mailMark);
        QCOMPARE(m_sound->played().size(), 1);
        QVERIFY(w.isVisible());
    }

    // Two deadlines in one minute (one for everyone, one for this
    // workstation): the one the list holds last decides, seen or not.
    void tiesFollowTheListOrder_data()
    {
        QTest::addColumn<QString>("seenOne");
        QTest::newRow("none seen") << "";
        QTest::newRow("the first seen") << "Primo";
        QTest::newRow("the second seen") << "Secondo";
    }

    void tiesFollowTheListOrder()
    {
        QFETCH(QString, seenOne);
        const QByteArray first = seenOne == QLatin1String("Primo") ? "S" : "";
        const QByteArray second = seenOne == QLatin1String("Secondo") ? "S" : "";
        m_db->exec({insert({"Primo", "10.30", "tutti", first.isEmpty() ? nullptr : first.constData(), ""}),
                    insert({"Secondo", "10.30", "10.0.0.1", second.isEmpty() ? nullptr : second.constData(), ""})});
        m_scan->tick(tickMinute);
        const fb::ResultSet &list = m_dm->t_sca_timer;
        QCOMPARE(list.rowCount(), 2);
        const QString last = list.value(1, list.columnIndex(QStringLiteral("scadenza"))).toString();
        if (last == seenOne) {
            QCOMPARE(m_windows.size(), 0);
            return;
        }
        QCOMPARE(m_windows.size(), 1);
        QCOMPARE(m_windows.first()->memo_scad_msg->toPlainText(), last);
    }

    // The mail step comes before the window; here the settings were never
    // saved, so its error line reaches the window and the alarm still opens.
    void mailFailureShownInTheWindow()
    {
        m_db->exec({insert({"Da inviare", "10.30", "10.0.0.1", nullptr, "preside@scuola.example"})});
        m_scan->tick(tickMinute);
        QCOMPARE(m_windows.size(), 1);
        const Tfrm_msg &w = *m_windows.first();
        QVERIFY(w.memo_errore->isVisibleTo(&w));
        QVERIFY2(w.memo_errore->toPlainText().startsWith(QStringLiteral("ERRORE INVIO MAIL: ")),
                 qPrintable(w.memo_errore->toPlainText()));
        QVERIFY(m_statusmemo->toPlainText().isEmpty());   // moved into the window
    }

    void mailedBeforeTheWindow()
    {
        test::SmtpServer server;
        m_db->exec({QStringLiteral("UPDATE parametri SET smtp='127.0.0.1', porta_smtp='%1', user_name='%2', pw='%3',"
                                   " mail_mitt='segreteria@scuola.example', nome_mitt='Segreteria', oggetto=NULL,"
                                   " msg_inizio='Promemoria:', msg_fine='Velmora'")
                        .arg(server.port()).arg(server.setup().user, server.setup().password),
                    insert({"Consiglio d''istituto", "10.30", "10.0.0.1", nullptr, "preside@scuola.example"})});
        m_scan->tick(tickMinute);
        QCOMPARE(m_windows.size(), 1);
        QVERIFY(m_windows.first()->memo_errore->toPlainText().isEmpty());
        const QList<test::ReceivedMail> mails = server.messages();
        QCOMPARE(mails.size(), 1);
        QCOMPARE(mails.first().to, QStringList{QStringLiteral("preside@scuola.example")});
        QVERIFY(mails.first().raw.contains("Subject: AVVISO/SCADENZA"));
    }

    // While the mail notice slides in, another event reopens the calendar
    // list, which moves it to its first row: the window still holds the
    // deadline that fell due, and marking it seen writes that row only.
    void copyTakenBeforeTheMailStep()
    {
        test::SmtpServer server;
        m_db->exec({QStringLiteral("UPDATE parametri SET smtp='127.0.0.1', porta_smtp='%1', user_name='%2', pw='%3',"
                                   " mail_mitt='segreteria@scuola.example', nome_mitt='Segreteria'")
                        .arg(server.port()).arg(server.setup().user, server.setup().password),
                    insert({"Prima del giorno", "08.00", "tutti", nullptr, ""}),
                    insert({"Consiglio", "10.30", "10.0.0.1", nullptr, "preside@scuola.example"})});
        bool reopened = false;
        QTimer::singleShot(0, this, [&] {
            m_dm->reopen(m_dm->t_sca_timer);
            reopened = true;
        });
        m_scan->tick(tickMinute);
        QVERIFY(reopened);
        QCOMPARE(m_windows.size(), 1);
        Tfrm_msg &w = *m_windows.first();
        QCOMPARE(w.memo_scad_msg->toPlainText(), QStringLiteral("Consiglio"));
        QCOMPARE(w.lbl_ora_msg->text(), QStringLiteral("10.30"));
        QCOMPARE(w.lbl_pc_msg->text(), QStringLiteral("10.0.0.1"));
        w.v_letto->trigger();
        QCOMPARE(rows(), (QStringList{QStringLiteral("Prima del giorno|2026-12-10|08.00|tutti||"),
                                      QStringLiteral("Consiglio|2026-12-10|10.30|10.0.0.1|S|preside@scuola.example")}));
    }

    void noAddressNoMailStep()
    {
        m_db->exec({insert({"Senza", "10.30", "10.0.0.1", nullptr, ""})});
        m_scan->tick(tickMinute);
        QCOMPARE(m_windows.size(), 1);
        QVERIFY(!m_windows.first()->memo_errore->isVisibleTo(m_windows.first()));
        QVERIFY(m_windows.first()->memo_errore->toPlainText().isEmpty());
    }

    void unreachableDatabaseIsSilent()
    {
        m_db->exec({insert({"Consiglio", "10.30", "tutti", nullptr, ""})});
        m_dm->disconnect();
        test::ScriptedDialogs d;
        m_scan->tick(tickMinute);
        VERIFY_DIALOGS_DONE(d);
        QCOMPARE(m_windows.size(), 0);
    }

    void startupCheck_data()
    {
        QTest::addColumn<QStringList>("sql");
        QTest::addColumn<QString>("listed");
        QTest::newRow("yesterday unseen, today later")
            << QStringList{insert({"Ieri", "16.00", "10.0.0.1", nullptr, ""}, "12/09/2026"), insert({"Più tardi", "11.00", "tutti", nullptr, ""})}
            << "- Ieri  DATA: 09/12/2026  ORA: 16.00";
        QTest::newRow("this minute counts as past")
            << QStringList{insert({"Adesso", "10.30", "tutti", nullptr, ""}), insert({"Vista", "09.00", "tutti", "S", ""})}
            << "- Adesso  DATA: 10/12/2026  ORA: 10.30";
        QTest::newRow("nothing past") << QStringList{insert({"Più tardi", "11.00", "tutti", nullptr, ""}),
                                                     insert({"Altrui", "09.00", "10.0.0.2", nullptr, ""}, "12/09/2026")}
                                      << "";
    }

    void startupCheck()
    {
        QFETCH(QStringList, sql);
        QFETCH(QString, listed);
        m_db->exec(sql);
        m_clock->set(tickMinute.addSecs(20));
        m_scan->startupCheck();
        if (listed.isEmpty()) {
            QCOMPARE(m_windows.size(), 0);
            return;
        }
        QCOMPARE(m_windows.size(), 1);
        const Tfrm_msg &w = *m_windows.first();
        QVERIFY(w.lbl_sca_old->isVisibleTo(&w));
        QCOMPARE(w.memo_scad_msg->toPlainText(), listed);
        QCOMPARE(rows().filter(QStringLiteral("|S|")).size(), sql.join(QString()).count(QStringLiteral("'S'")));
    }

    // After a lost connection the check runs again. A list of what was
    // already listed does not come back; a deadline whose minute came while
    // the connection was down does, in place of the window still open.
    void checkAfterLostConnection()
    {
        m_db->exec({insert({"Ieri", "16.00", "10.0.0.1", nullptr, ""}, "12/09/2026")});
        m_clock->set(tickMinute.addSecs(20));
        m_scan->startupCheck();
        QCOMPARE(m_windows.size(), 1);
        const QPointer<Tfrm_msg> first = m_windows.first();
        m_clock->set(tickMinute.addSecs(60));
        m_scan->tick(tickMinute.addSecs(60));

        // Down from 10.32 to 10.40: reconnected, nothing new was missed.
        m_clock->set(tickMinute.addSecs(10 * 60 + 5));
        m_scan->startupCheck();
        QCOMPARE(m_windows.size(), 1);
        QVERIFY(first && first->isVisible());

        // Down again, and a deadline of 10.45 went by meanwhile.
        m_db->exec({insert({"Durante", "10.45", "tutti", nullptr, ""})});
        m_clock->set(tickMinute.addSecs(20 * 60));
        m_scan->startupCheck();
        QCOMPARE(m_windows.size(), 2);
        QTRY_VERIFY(!first);   // closed, and gone
        QCOMPARE(m_windows.last()->memo_scad_msg->toPlainText(),
                 QStringLiteral("- Ieri  DATA: 09/12/2026  ORA: 16.00\n- Durante  DATA: 10/12/2026  ORA: 10.45"));
    }
};

QTEST_MAIN(TestScan)
#include "test_scan.moc"
