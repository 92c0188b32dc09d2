#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

namespace velmora::mail {

// "Name: " and the words joined by single spaces, folded (CRLF and the space)
// before a non-empty word that would take the line past 76 characters, the
// limit for lines holding encoded words. Ends in CRLF.
QByteArray foldedField(const QByteArray &name, const QList<QByteArray> &words);

// An unstructured field such as Subject: the text as it is when it is
// printable ASCII and the field fits 78 characters, otherwise encoded words.
QByteArray textField(const QByteArray &name, const QString &text);

// A mailbox field such as From: the display name quoted, or as encoded words
// under the same rule as textField, then the address in angle brackets.
QByteArray mailboxField(const QByteArray &name, const QString &displayName,
                        const QString &address);

} // namespace velmora::mail
