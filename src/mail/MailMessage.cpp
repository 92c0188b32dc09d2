#include "MailMessage.h"

#include "Addresses.h"
#include "HeaderField.h"
#include "MailDate.h"
#include "MessageId.h"
#include "QuotedPrintable.h"
#include "TextLines.h"

#include <QDateTime>

namespace velmora::mail {

namespace {

// The recipient text is kept as typed; only a line break in it could end the
// header early, so it becomes a space. Long texts fold at their own spaces.
QByteArray toField(const QString &recipients)
{
    QString text = recipients;
    text.replace(u'\r', u' ').replace(u'\n', u' ');
    return foldedField("To", text.toUtf8().split(' '));
}

} // namespace

void MailMessage::setSender(const QString &address, const QString &displayName)
{
    m_senderAddress = address;
    m_senderName = displayName;
}

void MailMessage::setRecipients(const QString &text)
{
    m_recipients = text;
}

void MailMessage::setSubject(const QString &subject)
{
    m_subject = subject;
}

void MailMessage::setBody(const QString &text)
{
    m_body = text;
}

QStringList MailMessage::recipientAddresses() const
{
    return splitAddresses(m_recipients);
}

QByteArray MailMessage::toWire() const
{
    QByteArray wire;
    wire += "Date: " + mailDate(QDateTime::currentDateTime()) + "\r\n";
    wire += mailboxField("From", m_senderName, m_senderAddress);
    wire += toField(m_recipients);
    wire += textField("Subject", m_subject);
    wire += "Message-ID: " + newMessageId(m_senderAddress) + "\r\n";
    wire += "MIME-Version: 1.0\r\n";
    wire += "Content-Type: text/plain; charset=UTF-8\r\n";
    wire += "Content-Transfer-Encoding: quoted-printable\r\n";
    wire += "\r\n";
    for (const QString &line : lines(m_body))
        wire += quotedPrintableLine(line.toUtf8());
    return wire;
}

} // namespace velmora::mail
