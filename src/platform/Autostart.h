#pragma once

#include <QString>
#include <optional>

namespace velmora::autostart {

// Start with the session: the XDG autostart entry Velmora.desktop in
// $XDG_CONFIG_HOME/autostart (default ~/.config/autostart). Its Exec line
// holds the value: the program's path, or the path followed by "e" when off.

QString entryPath();

// The Exec value of the entry; std::nullopt when there is no entry.
std::optional<QString> value();

// Writes the entry with the given Exec value. False when the folder cannot
// be opened or the entry cannot be written.
bool write(const QString &exec);

} // namespace velmora::autostart
