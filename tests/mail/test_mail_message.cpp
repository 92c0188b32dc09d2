// The message builder on its own: lines, addresses, header encoding, body
// encoding, date and identifier.
#include "MimeDecode.h"
#include "mail/Addresses.h"
#include "mail/EncodedWords.h"
#include "mail/MailDate.h"
#include "mail/MailMessage.h"
#include "mail/MessageId.h"
#include "mail/TextLines.h"

#include <QLocale>
#include <QRegularExpression>
#include <QTimeZone>
#include <QtTest>

using namespace velmora;

namespace {

mail::MailMessage message(const QString &subject, const QString &name, const QString &body)
{
    mail::MailMessage m;
    m.setSender(QStringLiteral("segreteria@scuola.example.it"), name);
    m.setRecipients(QStringLiteral("preside@scuola.example.it"));
    m.setSubject(subject);
    m.setBody(body);
    return m;
}

// The header lines of a raw message, each without its CRLF.
QList<QByteArray> headerLines(const QByteArray &wire)
{
    return wire.left(wire.indexOf("\r\n\r\n")).split('\n');
}

} // namespace

class TestMailMessage : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void lines_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("empty") << QString() << QStringList();
        QTest::newRow("one line, no ending") << QStringLiteral("uno") << QStringList{"uno"};
        QTest::newRow("CRLF") << QStringLiteral("uno\r\ndue") << QStringList{"uno", "due"};
        QTest::newRow("CR alone") << QStringLiteral("uno\rdue") << QStringList{"uno", "due"};
        QTest::newRow("LF alone") << QStringLiteral("uno\ndue") << QStringList{"uno", "due"};
        QTest::newRow("LF then CR is two endings")
            << QStringLiteral("uno\n\rdue") << QStringList{"uno", "", "due"};
        QTest::newRow("final ending adds no line") << QStringLiteral("uno\r\n") << QStringList{"uno"};
        QTest::newRow("final empty line") << QStringLiteral("uno\r\n\r\n") << QStringList{"uno", ""};
        QTest::newRow("empty first line") << QStringLiteral("\rdue") << QStringList{"", "due"};
        QTest::newRow("opening, deadline, empty line, closing")
            << QStringLiteral("Gentile collega,\r\nsi ricorda:\rConsegna registri\r\rCordiali saluti")
            << QStringList{"Gentile collega,", "si ricorda:", "Consegna registri", "", "Cordiali saluti"};
    }
    void lines()
    {
        QFETCH(QString, text);
        QFETCH(QStringList, expected);
        QCOMPARE(mail::lines(text), expected);
    }

    void splitAddresses_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("empty") << QString() << QStringList();
        QTest::newRow("one") << QStringLiteral("a@x.it") << QStringList{"a@x.it"};
        QTest::newRow("semicolon") << QStringLiteral("a@x.it;b@y.it") << QStringList{"a@x.it", "b@y.it"};
        QTest::newRow("comma and space")
            << QStringLiteral("a@x.it, b@y.it") << QStringList{"a@x.it", "b@y.it"};
        QTest::newRow("runs of separators")
            << QStringLiteral(" a@x.it ;; b@y.it\t c@z.it ,")
            << QStringList{"a@x.it", "b@y.it", "c@z.it"};
    }
    void splitAddresses()
    {
        QFETCH(QString, text);
        QFETCH(QStringList, expected);
        QCOMPARE(mail::splitAddresses(text), expected);
    }

    void encodedWords_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("accents") << QStringLiteral("Perché è già così");
        QTest::newRow("long, accented")
            << QStringLiteral("Scadenza: consegna dei documenti di valutazione del primo "
                              "quadrimestre – è richiesta la firma del dirigente entro "
                              "venerdì, grazie per la collaborazione");
        QTest::newRow("outside the BMP") << QStringLiteral("Promemoria 📅📅📅📅📅📅📅📅📅📅📅📅 fine");
        QTest::newRow("ascii with =?") << QStringLiteral("prezzo =?10");
    }
    void encodedWords()
    {
        QFETCH(QString, text);
        QVERIFY(mail::needsEncoding(text));
        const QList<QByteArray> words = mail::encodedWords(text);
        QString decoded;
        for (const QByteArray &word : words) {
            QVERIFY2(word.size() <= 75, word.constData());
            QVERIFY(word.startsWith("=?UTF-8?B?") && word.endsWith("?="));
            // Each word alone decodes to whole characters.
            const QString alone = test::decodeHeaderText(word);
            QVERIFY2(!alone.contains(QChar::ReplacementCharacter), word.constData());
            decoded += alone;
        }
        QCOMPARE(decoded, text);
    }

    void plainAsciiNeedsNoEncoding()
    {
        QVERIFY(!mail::needsEncoding(QStringLiteral("AVVISO/SCADENZA")));
    }

    void headers_data()
    {
        QTest::addColumn<QString>("subject");
        QTest::addColumn<QString>("name");
        QTest::newRow("plain ascii") << QStringLiteral("AVVISO/SCADENZA") << QStringLiteral("Segreteria");
        QTest::newRow("accents")
            << QStringLiteral("Riunione è confermata") << QStringLiteral("Istituto «Giosuè Carducci»");
        QTest::newRow("long ascii subject") << QStringLiteral("x").repeated(150)
                                            << QStringLiteral("Segreteria \"didattica\"");
        QTest::newRow("long accented name")
            << QStringLiteral("Avviso") << QStringLiteral("Segreteria dell'Istituto Comprensivo Statale "
                                                          "«Niccolò Tommaseo» di Forlì – Ufficio Didattica");
    }
    void headers()
    {
        QFETCH(QString, subject);
        QFETCH(QString, name);
        const QByteArray wire = message(subject, name, QStringLiteral("corpo")).toWire();
        QVERIFY(test::onlyCrlfLineEnds(wire));
        for (const QByteArray &line : headerLines(wire)) {
            const bool encoded = line.contains("=?");
            QVERIFY2(line.size() - 1 <= (encoded ? 76 : 78), line.constData());
        }
        const test::DecodedMail decoded = test::decodeMail(wire);
        QCOMPARE(decoded.field("Subject"), subject);
        const test::Mailbox from = test::mailbox(decoded.field("From"));
        QCOMPARE(from.name, name);
        QCOMPARE(from.address, QStringLiteral("segreteria@scuola.example.it"));
        QCOMPARE(decoded.field("To"), QStringLiteral("preside@scuola.example.it"));
        QCOMPARE(decoded.field("MIME-Version"), QStringLiteral("1.0"));
        QCOMPARE(decoded.field("Content-Type"), QStringLiteral("text/plain; charset=UTF-8"));
        QCOMPARE(decoded.field("Content-Transfer-Encoding"), QStringLiteral("quoted-printable"));
        for (const char *single : {"Date", "From", "To", "Subject", "Message-ID"})
            QCOMPARE(decoded.count(single), 1);
    }

    void senderWithoutName()
    {
        const QByteArray wire = message(QStringLiteral("s"), QString(), QString()).toWire();
        QVERIFY(wire.contains("\r\nFrom: <segreteria@scuola.example.it>\r\n"));
    }

    void recipientTextCarriedAsIs()
    {
        mail::MailMessage m = message(QStringLiteral("s"), QStringLiteral("n"), QString());
        m.setRecipients(QStringLiteral("a@x.it; b@y.it,c@z.it"));
        QCOMPARE(test::decodeMail(m.toWire()).field("To"), QStringLiteral("a@x.it; b@y.it,c@z.it"));
        QCOMPARE(m.recipientAddresses(), (QStringList{"a@x.it", "b@y.it", "c@z.it"}));
    }

    void body_data()
    {
        QTest::addColumn<QString>("body");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("mixed line ends")
            << QStringLiteral("uno\rdue\ntre\r\nquattro") << QStringList{"uno", "due", "tre", "quattro"};
        QTest::newRow("empty lines kept")
            << QStringLiteral("\rScadenza\r\rFine") << QStringList{"", "Scadenza", "", "Fine"};
        QTest::newRow("accents, equals sign, trailing blanks")
            << QStringLiteral("è = é  \rtab\t") << QStringList{"è = é  ", "tab\t"};
        QTest::newRow("leading dots") << QStringLiteral(".\r..due\r.") << QStringList{".", "..due", "."};
        const QString longLine = QStringLiteral("àbcdefghij").repeated(500);
        QTest::newRow("line of 5000 characters") << longLine << QStringList{longLine};
    }
    void body()
    {
        QFETCH(QString, body);
        QFETCH(QStringList, expected);
        const QByteArray wire = message(QStringLiteral("s"), QStringLiteral("n"), body).toWire();
        QVERIFY(test::onlyCrlfLineEnds(wire));
        const QByteArray encodedBody = wire.mid(wire.indexOf("\r\n\r\n") + 4);
        QVERIFY(test::longestLine(encodedBody) <= 76);
        QCOMPARE(test::decodeMail(wire).bodyLines, expected);
    }

    void mailDate_data()
    {
        QTest::addColumn<QDateTime>("when");
        QTest::addColumn<QByteArray>("expected");
        QTest::newRow("ahead of UTC")
            << QDateTime(QDate(2024, 3, 5), QTime(9, 7, 3), QTimeZone(3600))
            << QByteArray("Tue, 05 Mar 2024 09:07:03 +0100");
        QTest::newRow("behind UTC, half hour")
            << QDateTime(QDate(2023, 12, 31), QTime(23, 59, 59), QTimeZone(-(4 * 3600 + 1800)))
            << QByteArray("Sun, 31 Dec 2023 23:59:59 -0430");
        QTest::newRow("UTC") << QDateTime(QDate(2024, 8, 15), QTime(12, 0), QTimeZone::utc())
                             << QByteArray("Thu, 15 Aug 2024 12:00:00 +0000");
    }
    void mailDate()
    {
        QFETCH(QDateTime, when);
        QFETCH(QByteArray, expected);
        // The program runs in Italian; the header stays in English.
        const QLocale before;
        QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));
        const QByteArray date = mail::mailDate(when);
        QLocale::setDefault(before);
        QCOMPARE(date, expected);
    }

    void dateHeaderIsNow()
    {
        const QByteArray wire = message(QStringLiteral("s"), QStringLiteral("n"), QString()).toWire();
        const QDateTime date =
            QDateTime::fromString(test::decodeMail(wire).field("Date"), Qt::RFC2822Date);
        QVERIFY(date.isValid());
        QVERIFY(qAbs(date.secsTo(QDateTime::currentDateTime())) < 60);
    }

    void messageId_data()
    {
        QTest::addColumn<QString>("sender");
        QTest::addColumn<QString>("domain");
        QTest::newRow("sender's domain") << QStringLiteral("segreteria@scuola.example.it")
                                         << QStringLiteral("scuola.example.it");
        QTest::newRow("no domain") << QStringLiteral("segreteria") << QString();
        QTest::newRow("unusable domain") << QStringLiteral("a@b c") << QString();
    }
    void messageId()
    {
        QFETCH(QString, sender);
        QFETCH(QString, domain);
        const QString first = QString::fromLatin1(mail::newMessageId(sender));
        const QString second = QString::fromLatin1(mail::newMessageId(sender));
        QVERIFY(first != second);
        static const QRegularExpression shape(QStringLiteral("^<[0-9a-f-]{36}@([A-Za-z0-9.-]+)>$"));
        const QRegularExpressionMatch match = shape.match(first);
        QVERIFY2(match.hasMatch(), qPrintable(first));
        if (!domain.isEmpty())
            QCOMPARE(match.captured(1), domain);
    }
};

QTEST_GUILESS_MAIN(TestMailMessage)
#include "test_mail_message.moc"
