#pragma once

#include <QString>
#include <QStringList>

namespace velmora {

// The root under which every file of the program lies in the folder
// "Velmora": $VELMORA_ROOT when set, otherwise the user's home folder.
// Always ends with a '/'.
QString driveRoot();

// root + parts joined by '/', each part matched against what exists on disk
// without regard to case; parts that do not exist keep the given spelling.
QString caselessPath(const QString &root, const QStringList &parts);

// caselessPath(driveRoot(), {"Velmora", parts...}).
QString velmoraPath(const QStringList &parts);

} // namespace velmora
