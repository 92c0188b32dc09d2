#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace velmora::mail {

// A plain-text message: one sender, a recipient text, a subject and a body.
// The MIME form is made at each toWire(), with a fresh Date and Message-ID.
class MailMessage {
public:
    void setSender(const QString &address, const QString &displayName);
    // The text goes into the To header as it is; the envelope takes the
    // addresses found in it (see splitAddresses).
    void setRecipients(const QString &text);
    void setSubject(const QString &subject);
    // The body's lines are lines(text); each goes on the wire ending in CRLF.
    void setBody(const QString &text);

    const QString &senderAddress() const { return m_senderAddress; }
    QStringList recipientAddresses() const;

    // Headers and quoted-printable UTF-8 body, every line ending in CRLF.
    QByteArray toWire() const;

private:
    QString m_senderAddress;
    QString m_senderName;
    QString m_recipients;
    QString m_subject;
    QString m_body;
};

} // namespace velmora::mail
