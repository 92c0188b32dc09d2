#pragma once

#include <QString>

#include <optional>

namespace velmora {

// Plays a WAVE file to its end before returning; the desktop's beep when the
// file is missing or cannot be played.
class Sound {
public:
    virtual ~Sound() = default;
    virtual void play(const QString &file) = 0;
};

// The installed seam; Qt Multimedia unless a test installed its own.
Sound &sound();
// Installs a replacement (not owned); nullptr puts Qt Multimedia back.
void setSound(Sound *replacement);

// How long a WAVE file plays, read from its header; nothing when the file is
// missing or is not a WAVE file that a player could play.
std::optional<int> waveLengthMs(const QString &file);

// Whether the desktop has an output device to play on.
bool audioOutputUsable();

} // namespace velmora
