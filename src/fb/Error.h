#pragma once

#include "platform/Error.h"

#include <QList>

namespace velmora::fb {

// A failure reported by Firebird: the server's text and every error code of
// its status vector, so callers can tell a lock conflict from the rest.
class Error : public velmora::Error {
public:
    Error(const QString &text, QList<long> codes);

    const QList<long> &codes() const { return m_codes; }
    bool has(long code) const { return m_codes.contains(code); }
    // Another transaction holds the row or object: never waited for.
    bool lockConflict() const;
    // No server answered at the address.
    bool networkError() const;

private:
    QList<long> m_codes;
};

} // namespace velmora::fb
