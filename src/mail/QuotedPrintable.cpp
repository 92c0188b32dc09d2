#include "QuotedPrintable.h"

namespace velmora::mail {

namespace {

// 75 characters and the "=" of a soft break make the 76 allowed.
constexpr qsizetype maxPiece = 75;

bool literal(char c, bool lastOfLine)
{
    const auto u = static_cast<unsigned char>(c);
    if (u == ' ' || u == '\t')
        return !lastOfLine; // white space before a line end would be lost
    return u >= 33 && u <= 126 && u != '=';
}

QByteArray escaped(char c)
{
    static constexpr char hex[] = "0123456789ABCDEF";
    const auto u = static_cast<unsigned char>(c);
    const char octet[] = {'=', hex[u >> 4], hex[u & 0x0f]};
    return QByteArray(octet, sizeof octet);
}

} // namespace

QByteArray quotedPrintableLine(const QByteArray &line)
{
    QByteArray result;
    qsizetype pieceLength = 0;
    for (qsizetype i = 0; i < line.size(); ++i) {
        const char c = line.at(i);
        const QByteArray token = literal(c, i + 1 == line.size()) ? QByteArray(1, c) : escaped(c);
        if (pieceLength + token.size() > maxPiece) {
            result += "=\r\n";
            pieceLength = 0;
        }
        result += token;
        pieceLength += token.size();
    }
    return result + "\r\n";
}

} // namespace velmora::mail
