#pragma once

#include <QFocusEvent>

namespace velmora {

// The user left a field within its window: another window or a popup coming
// forward (the alarm window, a message, another program) is not leaving it.
inline bool leftWithinWindow(const QFocusEvent *event)
{
    return event->reason() != Qt::ActiveWindowFocusReason && event->reason() != Qt::PopupFocusReason;
}

} // namespace velmora
