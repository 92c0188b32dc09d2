#pragma once

#include <QByteArray>
#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>

namespace velmora::test {

// A message read back the way a mail reader would: header fields unfolded,
// encoded words decoded, the quoted-printable body decoded into its lines.
struct DecodedMail {
    QList<QPair<QByteArray, QString>> fields; // name, decoded value
    QStringList bodyLines;

    // The value of the first field of that name (any case), null when absent.
    QString field(const QByteArray &name) const;
    int count(const QByteArray &name) const;
};

DecodedMail decodeMail(const QByteArray &raw);

// The text of a header value with its RFC 2047 encoded words decoded; white
// space between two adjacent encoded words is dropped, as a reader does.
QString decodeHeaderText(const QByteArray &value);

// The lines of a quoted-printable body, CRLF line ends, soft breaks joined.
QStringList decodeQuotedPrintable(const QByteArray &body);

// A decoded mailbox field split into display name (quotes and escapes
// undone) and address (angle brackets removed).
struct Mailbox {
    QString name;
    QString address;
};
Mailbox mailbox(const QString &field);

// True when every line of the raw message ends in CRLF: no lone CR or LF.
bool onlyCrlfLineEnds(const QByteArray &raw);
// The longest line of the raw message, line end not counted.
qsizetype longestLine(const QByteArray &raw);

} // namespace velmora::test
