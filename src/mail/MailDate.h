#pragma once

#include <QByteArray>
#include <QDateTime>

namespace velmora::mail {

// The date of a Date header (RFC 5322): English names whatever the locale,
// and the offset of the given time, as in "Tue, 05 Mar 2024 09:07:03 +0100".
QByteArray mailDate(const QDateTime &when);

} // namespace velmora::mail
