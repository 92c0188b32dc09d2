#pragma once

#include <QString>
#include <QStringList>

namespace velmora::mail {

// The addresses of a recipient text: the pieces between commas, semicolons
// and white space, empty pieces left out.
QStringList splitAddresses(const QString &text);

} // namespace velmora::mail
