#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

namespace velmora::mail {

// True when the text cannot stand in a header as it is: anything but
// printable ASCII and space, or "=?", which a reader would take for the start
// of an encoded word.
bool needsEncoding(const QString &text);

// The text as encoded words of RFC 2047 (UTF-8, base64), each at most 60
// characters so that one fits a header line after any usual field name; no
// character is split between two words.
QList<QByteArray> encodedWords(const QString &text);

} // namespace velmora::mail
