#pragma once

#include <QStringList>

namespace velmora {

class Tdm;

// Brings a database of an earlier version up to date, each step detected on
// the live database. Both return the statements they ran, in order.

// The e-mail settings table, the mail column of the deadlines and the
// settings' subject and message frame. Failures go to the caller.
// Also the key of the messages.
QStringList upgradeOnConnect(Tdm &dm);

// The time of the annual deadlines and the 250-character texts.
QStringList upgradeAfterConnect(Tdm &dm);

} // namespace velmora
