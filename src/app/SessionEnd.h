#pragma once

#include <QObject>
#include <QSocketNotifier>

#include <signal.h>

class QSessionManager;

namespace velmora {

// Tells when the desktop session ends: the session manager's query, or
// SIGTERM (what logging off and shutting down send). The signal handler only
// writes a byte to a socket pair; the notifier brings it to the event loop.
// The latest instance receives SIGTERM; the one before gets it back after.
class SessionEnd : public QObject {
    Q_OBJECT
public:
    explicit SessionEnd(QObject *parent = nullptr);
    ~SessionEnd() override;
    SessionEnd(const SessionEnd &) = delete;
    SessionEnd &operator=(const SessionEnd &) = delete;

Q_SIGNALS:
    // The program should end now, without asking anything.
    void ending();

private:
    void onTerminate();
    void onCommitData(QSessionManager &manager);

    // [0] read by the notifier, [1] written by the handler.
    struct SocketPair {
        SocketPair();
        ~SocketPair();
        SocketPair(const SocketPair &) = delete;
        SocketPair &operator=(const SocketPair &) = delete;
        int fds[2] = {-1, -1};
    };

    SocketPair m_pair;
    QSocketNotifier m_notifier{m_pair.fds[0], QSocketNotifier::Read, this};
    int m_previousFd = -1;
    struct sigaction m_previousAction = {};
};

} // namespace velmora
