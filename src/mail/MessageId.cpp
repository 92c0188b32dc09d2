#include "MessageId.h"

#include <QRegularExpression>
#include <QSysInfo>
#include <QUuid>

namespace velmora::mail {

namespace {

bool usableDomain(const QString &domain)
{
    static const QRegularExpression dotAtom(QStringLiteral("^[A-Za-z0-9-]+(\\.[A-Za-z0-9-]+)*$"));
    return dotAtom.match(domain).hasMatch();
}

QString domainFor(const QString &senderAddress)
{
    const QString senderDomain = senderAddress.section(u'@', -1).trimmed();
    if (senderAddress.contains(u'@') && usableDomain(senderDomain))
        return senderDomain;
    const QString host = QSysInfo::machineHostName();
    return usableDomain(host) ? host : QStringLiteral("localhost");
}

} // namespace

QByteArray newMessageId(const QString &senderAddress)
{
    return '<' + QUuid::createUuid().toByteArray(QUuid::WithoutBraces) + '@'
        + domainFor(senderAddress).toLatin1() + '>';
}

} // namespace velmora::mail
