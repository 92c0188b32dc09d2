#pragma once

#include <QByteArray>

namespace velmora::mail {

// One line of text (UTF-8, no line ending) in quoted-printable: pieces of at
// most 76 characters joined by soft line breaks, ending in CRLF. Keeps every
// line on the wire far below the 998-octet limit, whatever the text.
QByteArray quotedPrintableLine(const QByteArray &line);

} // namespace velmora::mail
