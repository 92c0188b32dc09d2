#pragma once

#include <QTemporaryDir>

namespace velmora::test {

// A Firebird server of the test's own, on a free port of loopback, made and
// run by scripts/fbserver as the user who runs the test: the test may stop
// it and start it again, as an office's server that is restarted.
class PrivateServer {
public:
    PrivateServer();
    ~PrivateServer();
    PrivateServer(const PrivateServer &) = delete;
    PrivateServer &operator=(const PrivateServer &) = delete;

    quint16 port() const { return m_port; }
    // True once it listens.
    bool start();
    void stop();

private:
    bool script(const QString &command);

    QTemporaryDir m_dir;
    quint16 m_port = 0;
};

} // namespace velmora::test
