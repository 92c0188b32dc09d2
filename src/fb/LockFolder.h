#pragma once

#include <QString>

namespace velmora::fb {

// The embedded engine keeps its lock files in $FIREBIRD_LOCK, by default
// /tmp/firebird, which only the firebird group may write. Unless the
// environment names one, this points FIREBIRD_LOCK at a folder of this user:
// velmora-firebird in the session's runtime folder, else velmora/firebird-lock
// in the cache folder. Must run before the client library starts; the folder
// in use, empty when none could be made (the engine then keeps its default).
QString useOwnLockFolder();

} // namespace velmora::fb
