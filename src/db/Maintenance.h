#pragma once

#include "fb/Service.h"

#include <QDate>
#include <QString>

#include <atomic>
#include <functional>
#include <optional>

namespace velmora {

class Tdm;

// Copy, restore and purge of the database.
namespace maintenance {

using LineSink = std::function<void(const QString &)>;
// A piece of work that reads a service's output, handing its lines on.
using Job = std::function<void(const LineSink &onLine, const std::atomic<bool> &stop)>;
// Runs a job to its end; false when the wait was given up (the program quits).
using Runner = std::function<bool(const Job &)>;

// The copy of the given day: "09-12-2024.copia".
QString copyName(const QDate &day);

// Where the services of a connection run: its server, or the engine inside
// the client for a bare path and for a loopback server that does not answer.
fb::ServiceSite siteOf(const QString &connection);

// Backs the database file up into copyFile through BackupService1. Throws
// fb::Error with the service's own lines when the copy fails.
bool copy(Tdm &dm, const QString &database, const QString &copyFile, const Runner &run);

// Restores copyFile into a scratch file beside the database through
// RestoreService1 and, once the whole copy is there, puts it in the
// database's place in one step. A damaged copy, a file that is no copy, a
// failure or a quit at any point before leave the database as it was; so
// does another attachment that holds the database, at the start or at the
// swap. The scratch file never stays. Throws Error (fb::Error with the
// service's own lines when the service fails); false when the run was given
// up. The data module must be disconnected.
bool restore(Tdm &dm, const QString &copyFile, const QString &database, const Runner &run);

// The scratch file of restore(), beside the database.
QString scratchFile(const QString &database);

// A typed date d/m/yyyy (leading zeros optional); nullopt when it is none.
std::optional<QDate> typedDate(const QString &text);

// Deletes every deadline dated before limit, or every deadline without one;
// lock slot 1 is released first, and the deadline lists are read again.
void purgeBefore(Tdm &dm, const std::optional<QDate> &limit);
// Deletes every deadline whose text holds the word, ignoring case ("%" and
// "_" act as wildcards); then as purgeBefore.
void purgeWord(Tdm &dm, const QString &word);

} // namespace maintenance
} // namespace velmora
