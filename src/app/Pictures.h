#pragma once

#include <QIcon>
#include <QPixmap>
#include <QSize>

namespace velmora::pictures {

// The program's pictures are drawn, not loaded: nothing to ship beside it.

// A calendar page with a clock: the program's mark, square.
QPixmap logo(int side);

// The wide picture of the splash screen.
QPixmap banner(const QSize &size);

// The notification-area icon, at the sizes desktops ask for.
QIcon trayIcon();

} // namespace velmora::pictures
