#include "EncodedWords.h"

namespace velmora::mail {

namespace {

// 36 octets give 48 base64 characters, 60 with "=?UTF-8?B?" and "?=".
constexpr qsizetype maxOctetsPerWord = 36;

QByteArray encodedWord(const QByteArray &utf8)
{
    return "=?UTF-8?B?" + utf8.toBase64() + "?=";
}

} // namespace

bool needsEncoding(const QString &text)
{
    for (const QChar c : text) {
        if (c.unicode() < 0x20 || c.unicode() > 0x7e)
            return true;
    }
    return text.contains(QStringLiteral("=?"));
}

QList<QByteArray> encodedWords(const QString &text)
{
    QList<QByteArray> words;
    QByteArray pending;
    for (const char32_t codePoint : text.toUcs4()) {
        const QByteArray octets = QString::fromUcs4(&codePoint, 1).toUtf8();
        if (pending.size() + octets.size() > maxOctetsPerWord) {
            words.append(encodedWord(pending));
            pending.clear();
        }
        pending += octets;
    }
    if (!pending.isEmpty() || words.isEmpty())
        words.append(encodedWord(pending));
    return words;
}

} // namespace velmora::mail
