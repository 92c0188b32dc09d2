#pragma once

#include "MailMessage.h"

#include <QString>

#include <functional>

namespace velmora::mail {

// Sends one message per call over its own SMTP connection: greeting, STARTTLS
// when the server offers it (implicit TLS on port 465), login by the LOGIN
// mechanism, sender, recipients, data.
class SmtpClient {
public:
    static constexpr int defaultPort = 25;
    static constexpr int defaultTimeoutMs = 30000;

    void setHost(const QString &host);
    void setPort(int port);
    void setUser(const QString &user);
    void setPassword(const QString &password);
    // Bound on the whole exchange (positive), so that a server that stops
    // answering cannot hold the user-interface thread for long.
    void setTimeoutMs(int milliseconds);
    // Asked again and again during the exchange; true ends it at once (the
    // program is ending).
    void setGiveUp(std::function<bool()> giveUp);

    // Throws velmora::Error on any failure, with libcurl's text and, when
    // there is one, the server's refusing reply.
    void send(const MailMessage &message) const;

private:
    QString m_host;
    int m_port = defaultPort;
    QString m_user;
    QString m_password;
    int m_timeoutMs = defaultTimeoutMs;
    std::function<bool()> m_giveUp = [] { return false; };
};

} // namespace velmora::mail
