#pragma once

#include <QString>

namespace velmora {

// Creates a new, empty database file with every table, the sequence of the
// annual deadlines and the one row of the institution, through the embedded
// engine. The folder is made when missing. Throws on failure.
void createDatabase(const QString &file);

} // namespace velmora
