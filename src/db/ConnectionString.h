#pragma once

#include <QString>

namespace velmora {

// "server:path" as the connection file holds it; a bare path has no server.
struct ConnectionString {
    QString server;   // may carry "/port"
    QString path;

    static ConnectionString parse(const QString &text);
    // The server part names the loopback: localhost or 127.0.0.1.
    bool isLoopback() const;
    // The server part names this workstation: the loopback, its key or its host name.
    bool namesThisWorkstation(const QString &key) const;
};

} // namespace velmora
