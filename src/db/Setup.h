#pragma once

#include <QString>

namespace velmora {

class Tdm;

// Where this workstation finds its database, and the files around it.
namespace setup {

QString connectionFile();   // Velmora/Sys/velmora.cnt
QString databaseFile();     // Velmora/Database/velmora.fdb
QString backupFolder();     // Velmora/Backup

// The server, ":", and this workstation's database path.
QString connectionStringFor(const QString &server);

// The server typed in the input box and confirmed; empty when the user
// cancelled, typed nothing (emptyWarning is shown) or did not confirm.
QString typedServer(const QString &emptyWarning);

// First start: asks whether this workstation holds the database, or which
// computer does. Empty when the user named no server.
QString askServer();

// The first line of the connection file; empty when it cannot be read.
QString readConnection();
// Writes the one line of the connection file (its folder is made when
// missing). Throws when it cannot be written.
void writeConnection(const QString &connection);

// Creates the database when the connection names this workstation and the
// file is not there yet. True when it was created.
bool createDatabaseIfMissing(const QString &connection, const QString &key);

// The user of the first directory row whose workstation is this one.
QString workstationUser(Tdm &dm);

} // namespace setup
} // namespace velmora
