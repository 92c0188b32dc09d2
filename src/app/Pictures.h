#pragma once

#include <QIcon>
#include <QPixmap>
#include <QSize>

class QPainter;
class QRectF;

namespace velmora::pictures {

// The program's pictures are drawn, not loaded: nothing to ship beside it.

// A calendar page with a clock: the program's mark, drawn into the square r
// (also by the build step that makes the desktop icons).
void drawLogo(QPainter &p, const QRectF &r);
QPixmap logo(int side);

// The wide picture of the splash screen.
QPixmap banner(const QSize &size);

// The notification-area icon, at the sizes desktops ask for.
QIcon trayIcon();

} // namespace velmora::pictures
