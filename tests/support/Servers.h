#pragma once

#include <QString>

namespace velmora::test {

// The host of the Firebird server on loopback, for tests that need the real
// server: "localhost" when scripts/test started one (it sets
// $VELMORA_FBSERVER) or when 127.0.0.1:3050 accepts a connection within one
// second; empty otherwise, and such tests skip.
QString fbServerAddress();

// True when fbServerAddress() is not empty.
bool fbServerRunning();

// The server runs as another user: it may enter folder, make files there,
// and read and write every file in it.
void shareWithServer(const QString &folder);

} // namespace velmora::test
