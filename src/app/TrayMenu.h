#pragma once

class QMenu;

namespace velmora {

// Fills the notification-area menu with every entry, submenu and separator
// in their order; each entry's objectName is its name (a submenu's too, on
// the submenu and on the action that opens it). Entries start disabled:
// the main window enables those it gives a handler.
void buildTrayMenu(QMenu &menu);

} // namespace velmora
