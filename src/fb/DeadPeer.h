#pragma once

#include <QString>

namespace velmora::fb {

// Seconds that data sent to the server may stay unacknowledged before the
// system gives the connection up: a server computer switched off, or a
// network cable pulled, fails the statement in progress instead of holding
// the program for the system's quarter of an hour.
constexpr int deadPeerSeconds = 8;

// Puts Linux's bounds for a silent far end (keep-alive probes, and
// deadPeerSeconds for unacknowledged data) on this process's TCP connections
// to the server that the connection string names. Firebird 3's client sets
// neither; its own bound covers only the connection attempt. An embedded
// connection string names no server: nothing to do.
void boundDeadPeer(const QString &connection);

} // namespace velmora::fb
