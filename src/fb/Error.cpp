#include "fb/Error.h"

#include <firebird/Interface.h>

namespace velmora::fb {

Error::Error(const QString &text, QList<long> codes)
    : velmora::Error(text), m_codes(std::move(codes))
{
}

bool Error::lockConflict() const
{
    return has(isc_deadlock) || has(isc_update_conflict) || has(isc_concurrent_transaction)
           || has(isc_lock_conflict);
}

bool Error::networkError() const
{
    return has(isc_network_error);
}

} // namespace velmora::fb
