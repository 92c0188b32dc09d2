#include "Addresses.h"

#include <QRegularExpression>

namespace velmora::mail {

QStringList splitAddresses(const QString &text)
{
    static const QRegularExpression separators(QStringLiteral("[,;\\s]+"));
    return text.split(separators, Qt::SkipEmptyParts);
}

} // namespace velmora::mail
