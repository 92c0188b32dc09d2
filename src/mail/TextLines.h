#pragma once

#include <QString>
#include <QStringList>

namespace velmora::mail {

// The lines of a text: a CR alone, an LF alone or CRLF each end a line. A
// last line without an ending counts only when it is not empty, so "a\r\n"
// is one line and "a\r\n\r\n" two, the second empty.
QStringList lines(const QString &text);

} // namespace velmora::mail
