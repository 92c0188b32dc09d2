#pragma once

#include <QString>

namespace Firebird {
class IAttachment;
}

namespace velmora::fb {

// Seconds a connection attempt may take, the server's first answer included:
// a server that accepts and never answers, or a computer that is off, does
// not hold the program for Firebird's default 180 s.
constexpr int connectTimeoutSeconds = 3;

struct Login {
    QString user;
    QString password;
};

// One attachment to a database, dialect 3, UTF8 on the wire.
class Attachment {
public:
    Attachment() = default;
    ~Attachment();
    Attachment(const Attachment &) = delete;
    Attachment &operator=(const Attachment &) = delete;

    // The connection string goes to whichever provider answers it; with
    // embeddedOnly the engine inside the client opens the file itself.
    void attach(const QString &connection, const Login &login, bool embeddedOnly = false);
    // A new database file with UTF8 as its default character set.
    void create(const QString &connection, const Login &login, bool embeddedOnly = false);
    // Transactions of this attachment must have ended first.
    void detach();
    // Gives the handle of a lost attachment back without asking the server.
    void abandon();
    // One round trip to the server: throws when the attachment is lost.
    void ping();

    bool connected() const { return m_att != nullptr; }
    Firebird::IAttachment *handle() const { return m_att; }

    // Runs one statement without result in the given transaction handle.
    void execute(class Transaction &tr, const QString &sql);

private:
    Firebird::IAttachment *m_att = nullptr;
};

} // namespace velmora::fb
