#pragma once

namespace velmora::bench {

// The main window connected through a relay to the Firebird server on
// loopback; the relay is cut for two seconds, as a server restart. Prints
// the time from the server's return to the first successful scan (the
// reconnection's start-up check, timers on again); goal: at most 30 s.
// Skipped, with a line saying so, when no server runs on loopback.
void reportServerRestart();

} // namespace velmora::bench
