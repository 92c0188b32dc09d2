#pragma once

#include <QDateTime>

namespace velmora {

// Every rule that depends on the time of day reads it here, so tests can
// stand at 21.00, at midnight or on 29 February.
class Clock {
public:
    virtual ~Clock() = default;
    virtual QDateTime now() const = 0;
};

// The current local date and time from the installed clock.
QDateTime now();
// Installs a replacement (not owned); nullptr puts the system clock back.
void setClock(const Clock *replacement);

} // namespace velmora
