#pragma once

#include "ScriptedDialogs.h"

#include <QStringList>

namespace velmora::test {

// Queues answers written as words, so that case tables can hold them:
// "yes", "no", "ok", "cancel", or "input:" followed by the typed text.
void script(ScriptedDialogs &dialogs, const QStringList &answers);

} // namespace velmora::test
