#include "alarms/MailStep.h"

#include "db/Fdm.h"
#include "db/Statements.h"
#include "mail/MailMessage.h"
#include "mail/SmtpClient.h"
#include "platform/Error.h"
#include "platform/QuitRequest.h"
#include "widgets/PopupNotice.h"

#include <QScopeGuard>

namespace velmora {

namespace {

const QString errorPrefix = QStringLiteral("ERRORE INVIO MAIL: ");
const QString defaultSubject = QStringLiteral("AVVISO/SCADENZA");
const QString noticeText = QStringLiteral("<B><a href=\"close\">CHIUDI</a></B><BR><BR><B>VELMORA:</B><BR>"
                                          "E' stata inviata una scadenza alla mail: ");

// The settings row as one mail needs it, checked before any connection.
struct MailSettings {
    QString host;
    int port;
    QString user;
    QString password;
    QString senderAddress;
    QString senderName;
    QString subject;
    QString opening;
    QString closing;
};

QString required(const fb::ResultSet &row, const QString &column)
{
    const QVariant value = row.value(column);
    if (value.isNull())
        throw Error(QStringLiteral("Parametro di invio mail non impostato: ") + column);
    return value.toString();
}

int wholePort(const QString &text)
{
    bool whole = false;
    // The blanks that fill the fixed-width column are not part of the port.
    const int port = text.trimmed().toInt(&whole);
    if (!whole)
        throw Error(QStringLiteral("Porta SMTP non valida: \"%1\"").arg(text));
    return port;
}

MailSettings readSettings(Tdm &dm)
{
    dm.open(dm.t_par, sql::settings());
    const auto closing = qScopeGuard([&dm] { dm.t_par.close(); });
    const fb::ResultSet &row = dm.t_par;
    if (row.rowCount() == 0)
        throw Error(QStringLiteral("Parametri di invio mail assenti: nessuna riga nella tabella parametri"));
    const QString subject = row.value(QStringLiteral("oggetto")).toString();
    // A null opening or closing text reads as empty, rather than making the
    // whole body null and the alarm of the deadline fail with it.
    return {required(row, QStringLiteral("smtp")),
            wholePort(required(row, QStringLiteral("porta_smtp"))),
            required(row, QStringLiteral("user_name")),
            required(row, QStringLiteral("pw")),
            required(row, QStringLiteral("mail_mitt")),
            required(row, QStringLiteral("nome_mitt")),
            subject.isEmpty() ? defaultSubject : subject,
            row.value(QStringLiteral("msg_inizio")).toString(),
            row.value(QStringLiteral("msg_fine")).toString()};
}

mail::MailMessage messageFor(const MailSettings &settings, const QString &recipients, const QString &deadlineText)
{
    mail::MailMessage message;
    message.setSender(settings.senderAddress, settings.senderName);
    message.setRecipients(recipients);
    message.setSubject(settings.subject);
    message.setBody(settings.opening + QLatin1Char('\r') + deadlineText + QStringLiteral("\r\r") + settings.closing);
    return message;
}

} // namespace

QString mailDeadline(Tdm &dm, const QString &recipients, const QString &deadlineText, PopupNotice &notice, int timeoutMs)
{
    // Every failure, the settings' included, becomes the error line, so that
    // the alarm window of the deadline still opens and shows it.
    try {
        const MailSettings settings = readSettings(dm);
        mail::SmtpClient client;
        client.setHost(settings.host);
        client.setPort(settings.port);
        client.setUser(settings.user);
        client.setPassword(settings.password);
        client.setTimeoutMs(timeoutMs);
        client.setGiveUp(quitRequested);
        client.send(messageFor(settings, recipients, deadlineText));
        notice.showText(noticeText + recipients);
    } catch (const Error &e) {
        return errorPrefix + e.text();
    }
    return {};
}

} // namespace velmora
