#pragma once

#include <QString>

namespace velmora {

class Tdm;

// The statements on the messages table, and the service that empties it.
namespace messages {

// Stores a message for the workstation pc, from sender; every value quoted.
QString insertStatement(const QString &pc, const QString &text, const QString &sender);
// Removes the one message with this key.
QString removeStatement(qint64 id);

// "Elimina messaggi": after the question, removes the messages of every
// workstation. A failure goes to the caller.
void emptyAll(Tdm &dm);

} // namespace messages
} // namespace velmora
