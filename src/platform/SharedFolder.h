#pragma once

#include <QString>

namespace velmora {

// The program's folders and files are shared with their group: on the
// server workstation the Firebird server (user firebird, a member of the
// drive root's group) must read and write the database and the copies, and
// every office user of a workstation shares its connection file.

// Makes folder and its missing parents, each made here rwxrws--- (the
// set-group bit keeps the drive root's group on everything below). True when
// the folder exists afterwards.
bool makeSharedFolder(const QString &folder);

// Gives a file the program wrote read and write to its group (rw-rw----).
void shareFile(const QString &file);

} // namespace velmora
