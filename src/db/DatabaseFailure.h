#pragma once

#include <QString>

namespace velmora {

namespace fb {
class Error;
}

// What the user reads when the operating system refuses the database file
// or the engine's lock files: what failed, what to check, then the server's
// own text.
QString databaseCreateFailure(const QString &file, const fb::Error &e);
QString databaseOpenFailure(const QString &file, const fb::Error &e);

} // namespace velmora
