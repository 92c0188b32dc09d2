#pragma once

#include <QtGlobal>

#include <atomic>
#include <mutex>
#include <thread>
#include <vector>

namespace velmora::test {

// Where the relay and the silent listener listen: on loopback, yet not the
// "localhost" of a connection string, which would let the data module open
// the database file itself when no server answers.
inline constexpr const char *listenHost = "127.0.0.2";

// A TCP relay on listenHost, owned by the test, in front of a server on
// loopback: cut() drops every connection and stops listening, as a server
// that went away; restore() listens on the same port again; freeze() keeps
// every connection open and relays nothing more, as a server that hangs
// (the system still acknowledges what the client sends). The relay runs
// on threads of its own, so a client blocked in a call on the test's thread
// is still served. The server behind it is never touched.
class TcpProxy {
public:
    explicit TcpProxy(quint16 targetPort);
    ~TcpProxy();
    TcpProxy(const TcpProxy &) = delete;
    TcpProxy &operator=(const TcpProxy &) = delete;

    quint16 port() const { return m_port; }
    void cut();
    void restore();
    void freeze() { m_frozen = true; }

private:
    void listen();
    void acceptLoop(int listener);
    void relay(int client);

    const quint16 m_target;
    quint16 m_port = 0;
    std::mutex m_lock;
    int m_listener = -1;
    std::vector<int> m_sockets;
    std::vector<std::thread> m_threads;
    std::atomic<bool> m_stopping{false};
    std::atomic<bool> m_frozen{false};
};

// A listener on listenHost that lets connections in and never answers: a
// server that hangs, or a relay to a computer that is off.
class SilentListener {
public:
    SilentListener();
    ~SilentListener();
    SilentListener(const SilentListener &) = delete;
    SilentListener &operator=(const SilentListener &) = delete;
    quint16 port() const { return m_port; }

private:
    int m_fd = -1;
    quint16 m_port = 0;
};

} // namespace velmora::test
