// Reads 100,000 deadlines through the data module's result set and through a
// bare fetch loop over the same statement; prints both times, their ratio and
// the peak memory. Goal: ratio at most 1.3.
#include "db/Fdm.h"
#include "Workload.h"

#include <QCoreApplication>
#include <QElapsedTimer>

#include <algorithm>
#include <cstdio>

using namespace velmora;

namespace {

constexpr int rows = 100000;
constexpr int rounds = 5;

double dataModule(Tdm &dm, const QString &sql, int &count)
{
    QElapsedTimer t;
    t.start();
    dm.open(dm.t_sca, sql);
    count = dm.t_sca.rowCount();
    return static_cast<double>(t.nsecsElapsed()) / 1e6;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    bench::BenchDatabase db;
    Tdm &dm = db.dm;
    bench::fillDeadlines(dm, rows);
    const QString sql = QStringLiteral("select data, ora, scadenza, mail, letto, pc, id from scadenze WHERE ")
                        + dm.pcFilter() + QStringLiteral(" ORDER BY data,ora");

    double bare = 1e18, ours = 1e18;
    int bareRows = 0, ourRows = 0;
    for (int i = 0; i < rounds; ++i)
        bare = std::min(bare, bench::bareFetch(dm, sql, bareRows));
    const long peakBare = bench::peakKiB();
    for (int i = 0; i < rounds; ++i)
        ours = std::min(ours, dataModule(dm, sql, ourRows));
    const long peakOurs = bench::peakKiB();

    std::printf("rows read: %d (bare) / %d (result set)\n", bareRows, ourRows);
    std::printf("bare fetch loop:   %8.1f ms (best of %d)\n", bare, rounds);
    std::printf("dm result set:     %8.1f ms (best of %d)\n", ours, rounds);
    std::printf("ratio:             %8.3f (goal: at most 1.3)\n", ours / bare);
    std::printf("peak memory:       %8ld KiB after the bare loop, %ld KiB with the result set held\n",
                peakBare, peakOurs);
    return bareRows == ourRows ? 0 : 1;
}
