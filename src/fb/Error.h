#pragma once

#include "platform/Error.h"

#include <QList>

namespace velmora::fb {

// A failure reported by Firebird: the server's text and every error code of
// its status vector, so callers can tell a lock conflict from the rest.
class Error : public velmora::Error {
public:
    // osErrors: the operating system's error numbers the status vector carries.
    Error(const QString &text, QList<long> codes, QList<long> osErrors = {});

    const QList<long> &codes() const { return m_codes; }
    bool has(long code) const { return m_codes.contains(code); }
    // Another transaction holds the row or object: never waited for.
    bool lockConflict() const;
    // No server answered at the address.
    bool networkError() const;
    // The operating system refused the database or the engine's lock files:
    // permissions, a full disk, a file another process holds.
    bool systemFailure() const;
    // The database file is not there.
    bool missingFile() const;
    // The attachment is gone: the network failed under it, or the server or
    // the database was shut down.
    bool connectionLost() const;

private:
    QList<long> m_codes;
    QList<long> m_osErrors;
};

} // namespace velmora::fb
