#pragma once

#include "db/Fdm.h"

#include <QString>
#include <QTemporaryDir>

namespace velmora {

namespace bench {

// A new database in a temporary folder, upgraded, with its data module
// connected as workstation 10.0.0.7.
struct BenchDatabase {
    QTemporaryDir dir;
    Tdm dm;
    BenchDatabase();
};

// 100,000 deadlines from 1 January 2026 on, 96 a day, half of them for
// everyone and half for workstation 10.0.0.7 (or all for it with onlyMine).
void fillDeadlines(Tdm &dm, int rows, bool onlyMine = false);

// Milliseconds to fetch every row of the statement with nothing but the
// client library; count gets the number of rows.
double bareFetch(Tdm &dm, const QString &sql, int &count);

// The process's peak resident memory, in KiB.
long peakKiB();

} // namespace bench
} // namespace velmora
