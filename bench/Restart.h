#pragma once

namespace velmora::bench {

// The main window connected to a Firebird server of the bench's own, which
// is stopped and started again. Prints how soon the workstation noticed,
// and the time from the server's return to the first successful scan (the
// reconnection's start-up check, timers on again); goal: at most 30 s.
void reportServerRestart();

} // namespace velmora::bench
