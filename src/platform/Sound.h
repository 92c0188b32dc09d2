#pragma once

#include <QString>

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

} // namespace velmora
