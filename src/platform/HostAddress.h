#pragma once

#include <QString>

namespace velmora {

// This workstation's key: the host name resolved to IPv4, loopback left
// out; when none is left, the IPv4 addresses of the interfaces that are up,
// loopback left out. The last one; empty when there is none.
QString hostIpv4();

// The host name, as the workstation knows itself.
QString hostName();

} // namespace velmora
