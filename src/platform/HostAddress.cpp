#include "HostAddress.h"

#include "NestedWait.h"

#include <QCoreApplication>
#include <QHostAddress>
#include <QHostInfo>
#include <QNetworkInterface>

namespace velmora {

namespace {

// A resolver that does not answer must not hold up the start-up for ever.
constexpr int lookupLimitMs = 2000;

QList<QHostAddress> resolve(const QString &name)
{
    // Without an application there is no event loop to wait in.
    if (!QCoreApplication::instance())
        return QHostInfo::fromName(name).addresses();

    QList<QHostAddress> found;
    bool answered = false;
    QObject receiver;
    NestedWait wait(lookupLimitMs, QEventLoop::ExcludeUserInputEvents);
    const int id = QHostInfo::lookupHost(name, &receiver, [&](const QHostInfo &info) {
        found = info.addresses();
        answered = true;
        wait.wake();
    });
    wait.until([&] { return answered; });
    QHostInfo::abortHostLookup(id);
    return found;
}

QString lastIpv4(const QList<QHostAddress> &addresses)
{
    QString last;
    for (const QHostAddress &address : addresses) {
        if (address.protocol() == QAbstractSocket::IPv4Protocol && !address.isLoopback())
            last = address.toString();
    }
    return last;
}

QList<QHostAddress> interfaceAddresses()
{
    QList<QHostAddress> addresses;
    const QList<QNetworkInterface> interfaces = QNetworkInterface::allInterfaces();
    for (const QNetworkInterface &iface : interfaces) {
        const auto flags = iface.flags();
        if (!flags.testFlag(QNetworkInterface::IsUp) || flags.testFlag(QNetworkInterface::IsLoopBack))
            continue;
        const QList<QNetworkAddressEntry> entries = iface.addressEntries();
        for (const QNetworkAddressEntry &entry : entries)
            addresses.append(entry.ip());
    }
    return addresses;
}

} // namespace

QString hostIpv4()
{
    const QString resolved = lastIpv4(resolve(hostName()));
    return resolved.isEmpty() ? lastIpv4(interfaceAddresses()) : resolved;
}

QString hostName()
{
    return QHostInfo::localHostName();
}

} // namespace velmora
