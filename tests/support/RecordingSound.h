#pragma once

#include "platform/Sound.h"

#include <QStringList>

namespace velmora::test {

// The sound seam for tests: plays nothing, records every file asked for.
// Installed while it lives.
class RecordingSound : public Sound {
public:
    RecordingSound() { setSound(this); }
    ~RecordingSound() override { setSound(nullptr); }
    RecordingSound(const RecordingSound &) = delete;
    RecordingSound &operator=(const RecordingSound &) = delete;

    void play(const QString &file) override { m_played << file; }
    const QStringList &played() const { return m_played; }

private:
    QStringList m_played;
};

} // namespace velmora::test
