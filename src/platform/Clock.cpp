#include "Clock.h"

namespace velmora {

namespace {

class SystemClock final : public Clock {
public:
    QDateTime now() const override { return QDateTime::currentDateTime(); }
};

const SystemClock systemClock;
const Clock *installed = &systemClock;

} // namespace

QDateTime now()
{
    return installed->now();
}

void setClock(const Clock *replacement)
{
    installed = replacement ? replacement : &systemClock;
}

} // namespace velmora
