// The SMTP client against a real server on loopback: what arrives, and how
// every kind of failure comes back as velmora::Error.
#include "MimeDecode.h"
#include "SmtpServer.h"
#include "mail/MailMessage.h"
#include "mail/SmtpClient.h"
#include "platform/Error.h"

#include <QElapsedTimer>
#include <QHostAddress>
#include <QRegularExpression>
#include <QTcpServer>
#include <QtTest>

using namespace velmora;

namespace {

const QString senderAddress = QStringLiteral("segreteria@scuola.example.it");

mail::SmtpClient clientFor(const test::SmtpServer &server)
{
    mail::SmtpClient client;
    client.setHost(QStringLiteral("127.0.0.1"));
    client.setPort(server.port());
    client.setUser(server.setup().user);
    client.setPassword(server.setup().password);
    return client;
}

mail::MailMessage simpleMessage(const QString &recipients)
{
    mail::MailMessage message;
    message.setSender(senderAddress, QStringLiteral("Segreteria"));
    message.setRecipients(recipients);
    message.setSubject(QStringLiteral("AVVISO/SCADENZA"));
    message.setBody(QStringLiteral("Consegna registri"));
    return message;
}

// Runs the send that must fail and gives the error's text; prints how long
// the failure took.
QString failureOf(const mail::SmtpClient &client, const mail::MailMessage &message, qint64 *elapsedMs = nullptr)
{
    QElapsedTimer timer;
    timer.start();
    try {
        client.send(message);
    } catch (const Error &e) {
        qInfo("failed after %lld ms: %s", static_cast<long long>(timer.elapsed()), qPrintable(e.text()));
        if (elapsedMs)
            *elapsedMs = timer.elapsed();
        return e.text();
    }
    return {};
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

} // namespace

class TestMailSmtp : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void delivered_data()
    {
        QTest::addColumn<QString>("subject");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("recipients");
        QTest::addColumn<QStringList>("envelope");
        QTest::addColumn<QString>("body");
        QTest::addColumn<QStringList>("bodyLines");

        const QString opening = QStringLiteral("Gentile collega,\r\nsi ricorda la scadenza:");
        const QString closing = QStringLiteral("Cordiali saluti\r\nLa segreteria");
        QTest::newRow("default subject")
            << QStringLiteral("AVVISO/SCADENZA") << QStringLiteral("Segreteria")
            << QStringLiteral("preside@scuola.example.it")
            << QStringList{"preside@scuola.example.it"}
            << QStringLiteral("Inizio\rConsegna registri\r\rFine")
            << QStringList{"Inizio", "Consegna registri", "", "Fine"};
        QTest::newRow("custom subject, accents, several lines")
            << QStringLiteral("Promemoria: scrutini del 1° quadrimestre – è richiesta la presenza "
                              "di tutti i docenti, perché la seduta è unica")
            << QStringLiteral("Istituto Comprensivo «Giosuè Carducci» – Segreteria")
            << QStringLiteral("docenti@scuola.example.it")
            << QStringList{"docenti@scuola.example.it"}
            << opening + u'\r' + QStringLiteral("Scrutini: lunedì alle 15.00, aula magna") + QStringLiteral("\r\r") + closing
            << QStringList{"Gentile collega,", "si ricorda la scadenza:",
                           "Scrutini: lunedì alle 15.00, aula magna", "", "Cordiali saluti",
                           "La segreteria"};
        QTest::newRow("empty opening text")
            << QStringLiteral("AVVISO/SCADENZA") << QStringLiteral("Segreteria")
            << QStringLiteral("preside@scuola.example.it")
            << QStringList{"preside@scuola.example.it"}
            << QStringLiteral("\rVersamento contributi\r\rFine")
            << QStringList{"", "Versamento contributi", "", "Fine"};
        QTest::newRow("several recipients, dots and long line")
            << QStringLiteral("Avviso") << QStringLiteral("Segreteria")
            << QStringLiteral("preside@scuola.example.it; dsga@scuola.example.it, vicario@scuola.example.it")
            << QStringList{"preside@scuola.example.it", "dsga@scuola.example.it", "vicario@scuola.example.it"}
            << QStringLiteral(".\r..inizio\r") + QStringLiteral("è lunga ").repeated(300)
            << QStringList{".", "..inizio", QStringLiteral("è lunga ").repeated(300)};
    }
    void delivered()
    {
        QFETCH(QString, subject);
        QFETCH(QString, name);
        QFETCH(QString, recipients);
        QFETCH(QStringList, envelope);
        QFETCH(QString, body);
        QFETCH(QStringList, bodyLines);

        test::SmtpServer server;
        mail::MailMessage message;
        message.setSender(senderAddress, name);
        message.setRecipients(recipients);
        message.setSubject(subject);
        message.setBody(body);
        clientFor(server).send(message);

        const QList<test::ReceivedMail> received = server.messages();
        QCOMPARE(received.size(), 1);
        const test::ReceivedMail &mail = received.first();
        QCOMPARE(mail.from, senderAddress);
        QCOMPARE(mail.to, envelope);
        QVERIFY(test::onlyCrlfLineEnds(mail.raw));
        QVERIFY(test::longestLine(mail.raw) <= 998);

        const test::DecodedMail decoded = test::decodeMail(mail.raw);
        QCOMPARE(decoded.field("Subject"), subject);
        const test::Mailbox from = test::mailbox(decoded.field("From"));
        QCOMPARE(from.name, name);
        QCOMPARE(from.address, senderAddress);
        QCOMPARE(decoded.field("To"), recipients);
        QVERIFY(QDateTime::fromString(decoded.field("Date"), Qt::RFC2822Date).isValid());
        static const QRegularExpression messageId(QStringLiteral("^<[^@>]+@scuola\\.example\\.it>$"));
        QVERIFY2(messageId.match(decoded.field("Message-ID")).hasMatch(),
                 qPrintable(decoded.field("Message-ID")));
        QCOMPARE(decoded.bodyLines, bodyLines);
    }

    void loginRefused()
    {
        test::SmtpServer server;
        mail::SmtpClient client = clientFor(server);
        client.setPassword(QStringLiteral("sbagliata"));
        const QString text = failureOf(client, simpleMessage(QStringLiteral("preside@scuola.example.it")));
        QVERIFY2(text.contains(QStringLiteral("Login denied")), qPrintable(text));
        QVERIFY2(text.contains(QStringLiteral("535")), qPrintable(text));
        QVERIFY(server.messages().isEmpty());
    }

    void unreachablePort()
    {
        const int port = closedLoopbackPort();
        QVERIFY(port != 0);
        mail::SmtpClient client;
        client.setHost(QStringLiteral("127.0.0.1"));
        client.setPort(port);
        client.setUser(QStringLiteral("segreteria"));
        client.setPassword(QStringLiteral("x"));
        qint64 elapsed = 0;
        const QString text = failureOf(client, simpleMessage(QStringLiteral("preside@scuola.example.it")), &elapsed);
        QVERIFY2(text.contains(QString::number(port)), qPrintable(text));
        QVERIFY(elapsed < 10000); // only to catch a hang
    }

    void refusedRecipient_data()
    {
        QTest::addColumn<QString>("recipients");
        QTest::newRow("the only one") << QStringLiteral("nessuno@scuola.example.it");
        QTest::newRow("one of two")
            << QStringLiteral("preside@scuola.example.it; nessuno@scuola.example.it");
    }
    void refusedRecipient()
    {
        QFETCH(QString, recipients);
        test::SmtpServerSetup setup;
        setup.refusedRecipient = QStringLiteral("nessuno@scuola.example.it");
        test::SmtpServer server(setup);
        const QString text = failureOf(clientFor(server), simpleMessage(recipients));
        QVERIFY2(text.contains(QStringLiteral("550 5.1.1 Recipient refused")), qPrintable(text));
        QVERIFY(server.messages().isEmpty());
    }

    void silentServer_data()
    {
        QTest::addColumn<test::SmtpBehaviour>("behaviour");
        QTest::newRow("no greeting") << test::SmtpBehaviour::SilentAtGreeting;
        QTest::newRow("no answer to the data") << test::SmtpBehaviour::SilentAfterData;
    }
    void silentServer()
    {
        QFETCH(test::SmtpBehaviour, behaviour);
        test::SmtpServerSetup setup;
        setup.behaviour = behaviour;
        test::SmtpServer server(setup);
        mail::SmtpClient client = clientFor(server);
        client.setTimeoutMs(3000);
        qint64 elapsed = 0;
        const QString text = failureOf(client, simpleMessage(QStringLiteral("preside@scuola.example.it")), &elapsed);
        static const QRegularExpression timedOut(QStringLiteral("timed out|tempo scaduto"), QRegularExpression::CaseInsensitiveOption);
        QVERIFY2(text.contains(timedOut), qPrintable(text));
        QVERIFY(elapsed < 10000); // only to catch a hang
    }

    void invalidSettings_data()
    {
        QTest::addColumn<QString>("host");
        QTest::addColumn<int>("port");
        QTest::addColumn<QString>("recipients");
        QTest::addColumn<QString>("expected");
        QTest::newRow("port zero") << QStringLiteral("127.0.0.1") << 0
                                   << QStringLiteral("a@x.it") << QStringLiteral("Porta SMTP non valida: 0");
        QTest::newRow("port too high") << QStringLiteral("127.0.0.1") << 70000
                                       << QStringLiteral("a@x.it") << QStringLiteral("Porta SMTP non valida: 70000");
        QTest::newRow("no host") << QStringLiteral("  ") << 25
                                 << QStringLiteral("a@x.it") << QStringLiteral("Server SMTP non valido: \"  \"");
        QTest::newRow("no recipient") << QStringLiteral("127.0.0.1") << 25
                                      << QStringLiteral(" ; ") << QStringLiteral("Nessun indirizzo di destinazione");
    }
    void invalidSettings()
    {
        QFETCH(QString, host);
        QFETCH(int, port);
        QFETCH(QString, recipients);
        QFETCH(QString, expected);
        mail::SmtpClient client;
        client.setHost(host);
        client.setPort(port);
        QCOMPARE(failureOf(client, simpleMessage(recipients)), expected);
    }
};

QTEST_GUILESS_MAIN(TestMailSmtp)
#include "test_mail_smtp.moc"
