#pragma once

#include <QString>

namespace velmora {

// Puts the program's two sounds in <root>/Velmora/Allarme/ when they are not
// there; a file already there, perhaps the office's own, is left alone.
void installSounds();

// <root>/Velmora/Allarme/Allarme.wav: played as an alarm window appears.
QString alarmSound();
// <root>/Velmora/Allarme/Messaggio.wav: played for a workstation message.
QString messageSound();

} // namespace velmora
