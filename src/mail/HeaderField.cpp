#include "HeaderField.h"

#include "EncodedWords.h"

namespace velmora::mail {

namespace {

constexpr qsizetype encodedLineLimit = 76;
constexpr qsizetype plainLineLimit = 78;

QByteArray quoted(const QString &text)
{
    QByteArray result = text.toLatin1();
    result.replace('\\', "\\\\").replace('"', "\\\"");
    return '"' + result + '"';
}

} // namespace

QByteArray foldedField(const QByteArray &name, const QList<QByteArray> &words)
{
    QByteArray field = name + ':';
    qsizetype lineLength = field.size();
    bool lineHasWord = false;
    for (const QByteArray &word : words) {
        if (lineHasWord && !word.isEmpty() && lineLength + 1 + word.size() > encodedLineLimit) {
            field += "\r\n";
            lineLength = 0;
        }
        field += ' ' + word;
        lineLength += 1 + word.size();
        lineHasWord = lineHasWord || !word.isEmpty();
    }
    return field + "\r\n";
}

QByteArray textField(const QByteArray &name, const QString &text)
{
    const QByteArray plain = name + ": " + text.toLatin1();
    if (!needsEncoding(text) && plain.size() <= plainLineLimit)
        return plain + "\r\n";
    return foldedField(name, encodedWords(text));
}

QByteArray mailboxField(const QByteArray &name, const QString &displayName,
                        const QString &address)
{
    const QByteArray angleAddress = '<' + address.toUtf8() + '>';
    if (displayName.isEmpty())
        return name + ": " + angleAddress + "\r\n";
    const QByteArray plain = name + ": " + quoted(displayName) + ' ' + angleAddress;
    if (!needsEncoding(displayName) && plain.size() <= plainLineLimit)
        return plain + "\r\n";
    QList<QByteArray> words = encodedWords(displayName);
    words.append(angleAddress);
    return foldedField(name, words);
}

} // namespace velmora::mail
