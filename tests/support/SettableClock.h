#pragma once

#include "platform/Clock.h"

namespace velmora::test {

// A clock that stands still until the test moves it. Installed while it
// lives; the system clock comes back after.
class SettableClock : public Clock {
public:
    explicit SettableClock(const QDateTime &start);
    ~SettableClock() override;
    SettableClock(const SettableClock &) = delete;
    SettableClock &operator=(const SettableClock &) = delete;

    QDateTime now() const override { return m_now; }
    void set(const QDateTime &moment) { m_now = moment; }
    void advance(qint64 seconds) { m_now = m_now.addSecs(seconds); }

private:
    QDateTime m_now;
};

} // namespace velmora::test
