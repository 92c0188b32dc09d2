#include "fb/Error.h"

#include <firebird/Interface.h>

#include <cerrno>

namespace velmora::fb {

Error::Error(const QString &text, QList<long> codes, QList<long> osErrors)
    : velmora::Error(text), m_codes(std::move(codes)), m_osErrors(std::move(osErrors))
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

bool Error::systemFailure() const
{
    // isc_no_priv at attach time: a file this user may read but not write.
    return (has(isc_io_error) || has(isc_sys_request) || has(isc_lock_dir_access) || has(isc_no_priv))
           && !missingFile();
}

bool Error::missingFile() const
{
    return has(isc_io_error) && has(isc_io_open_err) && m_osErrors.contains(ENOENT);
}

bool Error::connectionLost() const
{
    for (const long code : {isc_network_error, isc_net_read_err, isc_net_write_err, isc_conn_lost, isc_lost_db_connection,
                            isc_att_shutdown, isc_shutdown, isc_bad_db_handle})
        if (has(code))
            return true;
    return false;
}

} // namespace velmora::fb
