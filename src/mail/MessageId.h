#pragma once

#include <QByteArray>
#include <QString>

namespace velmora::mail {

// A new, unique Message-ID in angle brackets, "@" the domain of the sender's
// address, or this host's name when that domain is not a usable one.
QByteArray newMessageId(const QString &senderAddress);

} // namespace velmora::mail
