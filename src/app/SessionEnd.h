#pragma once

#include <QObject>
#include <QSocketNotifier>

class QSessionManager;

namespace velmora {

// Tells when the desktop session ends: the session manager's query, or
// SIGTERM (what logging off and shutting down send). SIGTERM is kept blocked
// in every thread and read from a signal descriptor in the event loop, so no
// handler runs inside a library call: the Firebird client's own handler,
// which shuts every attachment down from another thread, never runs either.
class SessionEnd : public QObject {
    Q_OBJECT
public:
    explicit SessionEnd(QObject *parent = nullptr);
    ~SessionEnd() override;
    SessionEnd(const SessionEnd &) = delete;
    SessionEnd &operator=(const SessionEnd &) = delete;

    // Blocks SIGTERM in the calling thread and in every thread it starts
    // afterwards: called first thing in main(), before any thread exists. A
    // SIGTERM that comes before the event loop waits, it is not lost.
    static void holdTerminate();
    // SIGTERM does what it does by default again: for a copy that ends
    // without ever reaching its event loop.
    static void releaseTerminate();

Q_SIGNALS:
    // The program should end now, without asking anything.
    void ending();

private:
    void onTerminate();
    void onCommitData(QSessionManager &manager);

    int m_fd;
    QSocketNotifier m_notifier;
};

} // namespace velmora
