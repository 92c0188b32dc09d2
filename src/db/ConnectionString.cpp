#include "db/ConnectionString.h"

#include "platform/HostAddress.h"

namespace velmora {

namespace {

QString hostOnly(const QString &server)
{
    return server.section(QLatin1Char('/'), 0, 0).trimmed();
}

} // namespace

ConnectionString ConnectionString::parse(const QString &text)
{
    const int colon = text.indexOf(QLatin1Char(':'));
    // A path may itself hold a colon; the server part never holds a path separator.
    if (colon <= 0 || text.left(colon).contains(QLatin1Char('\\')))
        return {QString(), text};
    const QString server = text.left(colon);
    if (server.startsWith(QLatin1Char('/')))
        return {QString(), text};
    return {server, text.mid(colon + 1)};
}

bool ConnectionString::isLoopback() const
{
    const QString host = hostOnly(server);
    return host.compare(QLatin1String("localhost"), Qt::CaseInsensitive) == 0
           || host == QLatin1String("127.0.0.1");
}

bool ConnectionString::namesThisWorkstation(const QString &key) const
{
    const QString host = hostOnly(server);
    if (host.isEmpty())
        return false;
    return isLoopback() || host == key
           || host.compare(hostName(), Qt::CaseInsensitive) == 0;
}

} // namespace velmora
