#pragma once

#include <QString>

namespace velmora {

// The program's folders and files are shared with their group: on the
// server workstation the Firebird server (user firebird, a member of the
// drive root's group) must read and write the database and the copies, and
// every office user of a workstation shares its connection file.

// The box's text when the system refuses a folder of the program or a file
// in it: what failed, then what to check (the folder, its permissions,
// membership of its group, the disk), then the system's own words.
QString folderRefusal(const QString &failed, const QString &folder, const QString &cause);

// Makes folder and its missing parents, each made here rwxrws--- (the
// set-group bit keeps the drive root's group on everything below). Throws
// Error when the system refuses: what failed, what to check, and the
// system's own words.
void makeSharedFolder(const QString &folder);

// Gives a file the program wrote read and write to its group (rw-rw----).
void shareFile(const QString &file);

// Gives file the group and the permissions of model, so that a file put in
// model's place is shared as model was. Only the owner of file may: false
// for a file another user (the server) made, which keeps what the engine
// gave it, the folder's group and rw-rw---- already.
bool shareAs(const QString &file, const QString &model);

} // namespace velmora
