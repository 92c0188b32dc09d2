#include "MimeDecode.h"

#include <QRegularExpression>

#include <algorithm>

namespace velmora::test {

QString DecodedMail::field(const QByteArray &name) const
{
    for (const auto &[fieldName, value] : fields) {
        if (fieldName.compare(name, Qt::CaseInsensitive) == 0)
            return value;
    }
    return {};
}

int DecodedMail::count(const QByteArray &name) const
{
    int n = 0;
    for (const auto &entry : fields)
        n += entry.first.compare(name, Qt::CaseInsensitive) == 0 ? 1 : 0;
    return n;
}

QString decodeHeaderText(const QByteArray &value)
{
    static const QRegularExpression word(QStringLiteral("=\\?UTF-8\\?B\\?([A-Za-z0-9+/=]*)\\?="),
                                         QRegularExpression::CaseInsensitiveOption);
    const QString text = QString::fromUtf8(value);
    QString result;
    QByteArray pendingOctets; // adjacent words may split one character's octets
    qsizetype position = 0;
    for (auto it = word.globalMatch(text); it.hasNext();) {
        const QRegularExpressionMatch match = it.next();
        const QString between = text.mid(position, match.capturedStart() - position);
        if (pendingOctets.isEmpty() || !between.trimmed().isEmpty()) {
            result += QString::fromUtf8(pendingOctets) + between;
            pendingOctets.clear();
        }
        pendingOctets += QByteArray::fromBase64(match.captured(1).toLatin1());
        position = match.capturedEnd();
    }
    return result + QString::fromUtf8(pendingOctets) + text.mid(position);
}

QStringList decodeQuotedPrintable(const QByteArray &body)
{
    QByteArray joined = body;
    joined.replace("=\r\n", "");
    QByteArray octets;
    for (qsizetype i = 0; i < joined.size(); ++i) {
        if (joined.at(i) == '=' && i + 2 < joined.size()) {
            octets += QByteArray::fromHex(joined.mid(i + 1, 2));
            i += 2;
        } else {
            octets += joined.at(i);
        }
    }
    QStringList lines = QString::fromUtf8(octets).split(QStringLiteral("\r\n"));
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast(); // the ending of the last line
    return lines;
}

DecodedMail decodeMail(const QByteArray &raw)
{
    const qsizetype end = raw.indexOf("\r\n\r\n");
    QByteArray head = raw.left(end);
    head.replace("\r\n ", " ").replace("\r\n\t", "\t");
    DecodedMail mail;
    const QList<QByteArray> lines = head.split('\n');
    for (QByteArray line : lines) {
        line.chop(line.endsWith('\r') ? 1 : 0);
        const qsizetype colon = line.indexOf(':');
        mail.fields.append({line.left(colon), decodeHeaderText(line.mid(colon + 1).trimmed())});
    }
    mail.bodyLines = decodeQuotedPrintable(raw.mid(end + 4));
    return mail;
}

Mailbox mailbox(const QString &field)
{
    const qsizetype open = field.lastIndexOf(u'<');
    Mailbox result{field.left(open).trimmed(), field.mid(open + 1).chopped(1)};
    if (result.name.startsWith(u'"') && result.name.endsWith(u'"')) {
        static const QRegularExpression escape(QStringLiteral("\\\\(.)"));
        result.name = result.name.mid(1, result.name.size() - 2).replace(escape, QStringLiteral("\\1"));
    }
    return result;
}

bool onlyCrlfLineEnds(const QByteArray &raw)
{
    for (qsizetype i = 0; i < raw.size(); ++i) {
        if (raw.at(i) == '\r' && (i + 1 == raw.size() || raw.at(i + 1) != '\n'))
            return false;
        if (raw.at(i) == '\n' && (i == 0 || raw.at(i - 1) != '\r'))
            return false;
    }
    return true;
}

qsizetype longestLine(const QByteArray &raw)
{
    qsizetype longest = 0;
    for (const QByteArray &line : raw.split('\n'))
        longest = std::max(longest, line.size() - (line.endsWith('\r') ? 1 : 0));
    return longest;
}

} // namespace velmora::test
