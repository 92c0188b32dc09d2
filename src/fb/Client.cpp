#include "fb/Client.h"

#include "fb/Error.h"
#include "fb/LockFolder.h"

namespace velmora::fb {

Firebird::IMaster *master()
{
    // The engine reads FIREBIRD_LOCK once, when the library starts.
    static Firebird::IMaster *const m = (useOwnLockFolder(), Firebird::fb_get_master_interface());
    return m;
}

Firebird::IUtil *util()
{
    return master()->getUtilInterface();
}

Status::Status() : m_wrapper(master()->getStatus()) {}

Status::~Status()
{
    m_wrapper.dispose();
}

void rethrow(const Firebird::FbException &e)
{
    char text[2048];
    util()->formatStatus(text, sizeof text, e.getStatus());
    QList<long> codes;
    QList<long> osErrors;
    // Walk the whole vector: the code that matters may not come first.
    const ISC_STATUS *v = e.getStatus()->getErrors();
    while (v && *v != isc_arg_end) {
        const ISC_STATUS kind = v[0];
        if (kind == isc_arg_gds)
            codes.append(static_cast<long>(v[1]));
        else if (kind == isc_arg_unix)
            osErrors.append(static_cast<long>(v[1]));
        v += (kind == isc_arg_cstring) ? 3 : 2;
    }
    throw Error(QString::fromUtf8(text), codes, osErrors);
}

} // namespace velmora::fb
