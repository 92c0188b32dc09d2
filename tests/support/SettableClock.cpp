#include "SettableClock.h"

namespace velmora::test {

SettableClock::SettableClock(const QDateTime &start) : m_now(start)
{
    setClock(this);
}

SettableClock::~SettableClock()
{
    setClock(nullptr);
}

} // namespace velmora::test
