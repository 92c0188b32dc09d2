#pragma once

#include <QString>

namespace velmora {

class PopupNotice;
class Tdm;

// Mails one deadline through the settings row; on success shows the notice with its text.
// Returns the error line "ERRORE INVIO MAIL: " + error text on any failure, empty on success.
QString mailDeadline(Tdm &dm, const QString &recipients, const QString &deadlineText, PopupNotice &notice, int timeoutMs = 30000);

} // namespace velmora
