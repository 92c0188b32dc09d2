#pragma once

#include <thread>

namespace velmora {

// The last bound on the end of the program. From the moment it is asked to
// end (a SIGTERM, also one that the event loop never gets to read, or arm()),
// the program has graceMs to end by itself; after that this thread ends the
// process at once, with status 0. A call that never returns, to a server that
// accepts and then never answers, cannot keep a hung copy alive, holding the
// single-instance name, after the session has ended. Nothing is lost by it:
// every change was committed when it was made.
class EndWatch {
public:
    explicit EndWatch(int graceMs);
    ~EndWatch();
    EndWatch(const EndWatch &) = delete;
    EndWatch &operator=(const EndWatch &) = delete;

    // The program was asked to end: the grace time starts.
    void arm();

private:
    void watch();

    const int m_graceMs;
    int m_signals;   // SIGTERM, looked at and never read: the event loop reads it
    int m_armed;
    int m_stop;
    std::thread m_thread;
};

} // namespace velmora
