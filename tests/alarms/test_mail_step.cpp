// The mail step against a real SMTP server on loopback: the message as it
// arrives, the notice after a send, and the error line of every failure.
#include "MimeDecode.h"
#include "ScriptedDialogs.h"
#include "SmtpServer.h"
#include "TempDatabase.h"
#include "alarms/MailStep.h"
#include "db/Sql.h"
#include "db/Upgrade.h"
#include "widgets/PopupNotice.h"

#include <QElapsedTimer>
#include <QHostAddress>
#include <QScreen>
#include <QTcpServer>
#include <QTextBlock>
#include <QTextBrowser>
#include <QtTest>

#include <memory>

using namespace velmora;
using namespace velmora::test;

namespace {

const QString senderAddress = QStringLiteral("segreteria@scuola.example.it");
const QString senderName = QStringLiteral("Segreteria dell'Istituto");
const QString recipient = QStringLiteral("preside@scuola.example.it");
const QString deadline = QStringLiteral("Consegna registri dell'anno");
const QString prefix = QStringLiteral("ERRORE INVIO MAIL: ");

QString noticeFor(const QString &address)
{
    return QStringLiteral("<B><a href=\"close\">CHIUDI</a></B><BR><BR><B>VELMORA:</B><BR>"
                          "E' stata inviata una scadenza alla mail: ")
           + address;
}

int closedLoopbackPort()
{
    QTcpServer probe;
    if (!probe.listen(QHostAddress::LocalHost))
        return 0;
    const int port = probe.serverPort();
    probe.close();
    return port;
}

// A workstation on the shared database, whose settings row names the server
// at this port with the given account; subject null, opening "Inizio",
// closing "Fine".
struct Station {
    const TempDatabase &db;
    std::unique_ptr<Tdm> dm;
    PopupNotice notice;

    Station(const TempDatabase &database, int port, const QString &password = SmtpServerSetup().password)
        : db(database), dm(database.connect(QStringLiteral("10.0.0.1")))
    {
        const SmtpServerSetup account;
        db.exec({QStringLiteral("DELETE FROM parametri"),
                 QStringLiteral("INSERT INTO parametri (smtp, porta_smtp, user_name, pw, mail_mitt, nome_mitt, oggetto, "
                                "msg_inizio, msg_fine) VALUES ('127.0.0.1', '%1', '%2', '%3', '%4', '%5', null, 'Inizio', 'Fine')")
                     .arg(QString::number(port), testo_sql(account.user), testo_sql(password), testo_sql(senderAddress),
                          testo_sql(senderName))});
    }

    QString mail(const QString &recipients = recipient, int timeoutMs = 30000)
    {
        return mailDeadline(*dm, recipients, deadline, notice, timeoutMs);
    }

    QTextBrowser *browser() const { return notice.findChild<QTextBrowser *>(); }
};

// The failing step, timed; the time is printed, not asserted closely.
QString timedFailure(Station &station, int timeoutMs, qint64 &elapsed)
{
    QElapsedTimer timer;
    timer.start();
    const QString line = station.mail(recipient, timeoutMs);
    elapsed = timer.elapsed();
    qInfo("error line after %lld ms: %s", static_cast<long long>(elapsed), qPrintable(line));
    return line;
}

// The backgrounds of the notice's text that belongs to the link.
QList<Qt::BrushStyle> linkBackgrounds(const QTextBrowser *browser, const QString &href)
{
    QList<Qt::BrushStyle> styles;
    for (QTextBlock block = browser->document()->begin(); block.isValid(); block = block.next())
        for (auto it = block.begin(); !it.atEnd(); ++it)
            if (it.fragment().charFormat().anchorHref() == href)
                styles << it.fragment().charFormat().background().style();
    return styles;
}

} // namespace

class TestMailStep : public QObject {
    Q_OBJECT

    std::unique_ptr<TempDatabase> m_db;

private Q_SLOTS:
    void initTestCase()
    {
        m_db = std::make_unique<TempDatabase>();
        upgradeOnConnect(*m_db->connect(QStringLiteral("10.0.0.1")));   // makes the settings table
    }
    void cleanupTestCase() { m_db.reset(); }

    void delivered_data()
    {
        QTest::addColumn<QString>("change");      // a statement on the settings row, or none
        QTest::addColumn<QString>("recipients");
        QTest::addColumn<QStringList>("envelope");
        QTest::addColumn<QString>("subject");
        QTest::addColumn<QStringList>("body");

        const QStringList plain{"Inizio", deadline, "", "Fine"};
        const QStringList one{recipient};
        QTest::newRow("null subject") << QString() << recipient << one << "AVVISO/SCADENZA" << plain;
        QTest::newRow("empty subject") << "UPDATE parametri SET oggetto=''" << recipient << one << "AVVISO/SCADENZA" << plain;
        QTest::newRow("custom subject")
            << "UPDATE parametri SET oggetto='Promemoria dell''ufficio: è in scadenza'" << recipient << one
            << "Promemoria dell'ufficio: è in scadenza" << plain;
        QTest::newRow("texts of several lines")
            << "UPDATE parametri SET msg_inizio='Gentile collega,\nsi ricorda:', msg_fine='Cordiali saluti\r\nLa segreteria'"
            << recipient << one << "AVVISO/SCADENZA"
            << QStringList{"Gentile collega,", "si ricorda:", deadline, "", "Cordiali saluti", "La segreteria"};
        QTest::newRow("empty opening") << "UPDATE parametri SET msg_inizio=''" << recipient << one << "AVVISO/SCADENZA"
                                       << QStringList{"", deadline, "", "Fine"};
        QTest::newRow("null opening and closing read as empty")
            << "UPDATE parametri SET msg_inizio=null, msg_fine=null" << recipient << one << "AVVISO/SCADENZA"
            << QStringList{"", deadline, ""};
        QTest::newRow("two recipients, text unchanged")
            << QString() << "preside@scuola.example.it; dsga@scuola.example.it"
            << QStringList{"preside@scuola.example.it", "dsga@scuola.example.it"} << "AVVISO/SCADENZA" << plain;
    }
    void delivered()
    {
        QFETCH(QString, change);
        QFETCH(QString, recipients);
        QFETCH(QStringList, envelope);
        QFETCH(QString, subject);
        QFETCH(QStringList, body);

        SmtpServer server;
        Station station(*m_db, server.port());
        if (!change.isEmpty())
            station.db.exec({change});
        ScriptedDialogs dialogs;
        QCOMPARE(station.mail(recipients), QString());
        VERIFY_DIALOGS_DONE(dialogs);
        QVERIFY(!station.dm->t_par.isOpen());

        const QList<ReceivedMail> received = server.messages();
        QCOMPARE(received.size(), 1);
        QCOMPARE(received.first().from, senderAddress);
        QCOMPARE(received.first().to, envelope);
        const DecodedMail decoded = decodeMail(received.first().raw);
        QCOMPARE(decoded.field("Subject"), subject);
        const Mailbox from = mailbox(decoded.field("From"));
        QCOMPARE(from.name, senderName);
        QCOMPARE(from.address, senderAddress);
        QCOMPARE(decoded.field("To"), recipients);
        QCOMPARE(decoded.bodyLines, body);

        QCOMPARE(station.notice.text(), noticeFor(recipients));
    }

    void notice()
    {
        SmtpServer server;
        Station station(*m_db, server.port());
        QVERIFY(station.notice.isHidden());
        QCOMPARE(station.mail(), QString());
        PopupNotice &notice = station.notice;
        QVERIFY(notice.isVisible());
        QCOMPARE(notice.objectName(), QStringLiteral("HTMLPopup1"));
        QCOMPARE(notice.text(), noticeFor(recipient));
        QCOMPARE(notice.size(), QSize(150, 150));
        const QRect area = notice.screen()->availableGeometry();
        QCOMPARE(notice.pos(), QPoint(area.x() + area.width() - 20 - 150, area.y() + area.height() - 150));
        QVERIFY(notice.windowFlags().testFlag(Qt::FramelessWindowHint));
        QVERIFY(notice.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        QCOMPARE(station.browser()->toPlainText(),
                 QStringLiteral("CHIUDI\n\nVELMORA:\nE' stata inviata una scadenza alla mail: ") + recipient);

        // The link under the mouse stands out, and only while it is there.
        QCOMPARE(linkBackgrounds(station.browser(), QStringLiteral("close")), QList<Qt::BrushStyle>{Qt::NoBrush});
        Q_EMIT station.browser()->highlighted(QUrl(QStringLiteral("close")));
        QCOMPARE(linkBackgrounds(station.browser(), QStringLiteral("close")), QList<Qt::BrushStyle>{Qt::SolidPattern});
        Q_EMIT station.browser()->highlighted(QUrl());
        QCOMPARE(linkBackgrounds(station.browser(), QStringLiteral("close")), QList<Qt::BrushStyle>{Qt::NoBrush});

        // A later send replaces the text; the notice never hides by itself.
        const QString other = QStringLiteral("dsga@scuola.example.it");
        QCOMPARE(station.mail(other), QString());
        QVERIFY(notice.isVisible());
        QCOMPARE(notice.text(), noticeFor(other));

        Q_EMIT station.browser()->anchorClicked(QUrl(QStringLiteral("close")));
        QVERIFY(notice.isHidden());
    }

    void refused_data()
    {
        QTest::addColumn<QString>("password");
        QTest::addColumn<QString>("refusedRecipient");
        QTest::addColumn<QString>("reply");
        QTest::newRow("login refused") << "sbagliata" << QString() << "535";
        QTest::newRow("recipient refused") << SmtpServerSetup().password << recipient << "550";
    }
    void refused()
    {
        QFETCH(QString, password);
        QFETCH(QString, refusedRecipient);
        QFETCH(QString, reply);
        SmtpServerSetup setup;
        setup.refusedRecipient = refusedRecipient;
        SmtpServer server(setup);
        Station station(*m_db, server.port(), password);
        ScriptedDialogs dialogs;
        const QString line = station.mail();
        QVERIFY2(line.startsWith(prefix) && line.contains(reply), qPrintable(line));
        QVERIFY(server.messages().isEmpty());
        QVERIFY(station.notice.isHidden());
        VERIFY_DIALOGS_DONE(dialogs);
    }

    void unreachablePort()
    {
        const int port = closedLoopbackPort();
        QVERIFY(port != 0);
        Station station(*m_db, port);
        qint64 elapsed = 0;
        const QString line = timedFailure(station, 30000, elapsed);
        QVERIFY2(line.startsWith(prefix) && line.contains(QString::number(port)), qPrintable(line));
        QVERIFY(elapsed < 10000); // only to catch a hang
        QVERIFY(station.notice.isHidden());
    }

    void silentServer_data()
    {
        QTest::addColumn<SmtpBehaviour>("behaviour");
        QTest::newRow("no greeting") << SmtpBehaviour::SilentAtGreeting;
        QTest::newRow("no answer to the data") << SmtpBehaviour::SilentAfterData;
    }
    void silentServer()
    {
        QFETCH(SmtpBehaviour, behaviour);
        SmtpServerSetup setup;
        setup.behaviour = behaviour;
        SmtpServer server(setup);
        Station station(*m_db, server.port());
        qint64 elapsed = 0;
        const QString line = timedFailure(station, 3000, elapsed);
        QVERIFY2(line.startsWith(prefix), qPrintable(line));
        QVERIFY(elapsed < 15000); // far below the default bound: the short one was used
        QVERIFY(station.notice.isHidden());
    }

    void settingsUnusable_data()
    {
        QTest::addColumn<QString>("change");
        QTest::addColumn<QString>("line");
        QTest::newRow("no settings row") << "DELETE FROM parametri"
                                         << "ERRORE INVIO MAIL: Parametri di invio mail assenti: nessuna riga nella tabella parametri";
        for (const char *column : {"smtp", "porta_smtp", "user_name", "pw", "mail_mitt", "nome_mitt"})
            QTest::newRow(column) << QStringLiteral("UPDATE parametri SET %1=null").arg(QLatin1String(column))
                                  << QStringLiteral("ERRORE INVIO MAIL: Parametro di invio mail non impostato: ") + QLatin1String(column);
        QTest::newRow("port 2x") << "UPDATE parametri SET porta_smtp='2x'"
                                 << "ERRORE INVIO MAIL: Porta SMTP non valida: \"2x\"";
        QTest::newRow("port with apostrophe") << "UPDATE parametri SET porta_smtp='2''5'"
                                              << "ERRORE INVIO MAIL: Porta SMTP non valida: \"2'5\"";
        QTest::newRow("port empty") << "UPDATE parametri SET porta_smtp=''"
                                    << "ERRORE INVIO MAIL: Porta SMTP non valida: \"\"";
    }
    void settingsUnusable()
    {
        QFETCH(QString, change);
        QFETCH(QString, line);
        Station station(*m_db, closedLoopbackPort());
        station.db.exec({change});
        ScriptedDialogs dialogs;   // no box at all: not even the error report
        QCOMPARE(station.mail(), line);
        VERIFY_DIALOGS_DONE(dialogs);
        QVERIFY(!station.dm->t_par.isOpen());
        QVERIFY(station.notice.isHidden());
    }
};

QTEST_MAIN(TestMailStep)
#include "test_mail_step.moc"
