// A copy of a database with 100,000 deadlines through the program (the
// backup service read to its end behind the progress window) against
// `gbak -b` of the same database from the command line; prints both times
// and their ratio. Goal: at most 1.2.
#include "Workload.h"
#include "db/Maintenance.h"
#include "widgets/ProgressWindow.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>

#include <algorithm>
#include <cstdio>

using namespace velmora;

namespace {

constexpr int rows = 100000;
constexpr int rounds = 3;

double program(Tdm &dm, const QString &database, const QString &copy)
{
    QFile::remove(copy);
    QElapsedTimer t;
    t.start();
    maintenance::copy(dm, database, copy, [](const maintenance::Job &job) {
        ProgressWindow window(QStringLiteral("Copia del database"));
        return window.run(job);
    });
    return static_cast<double>(t.nsecsElapsed()) / 1e6;
}

double commandLine(const QString &database, const QString &copy)
{
    QFile::remove(copy);
    const fb::Login login = Tdm::login();
    QElapsedTimer t;
    t.start();
    QProcess gbak;
    gbak.start(QStringLiteral("gbak"), {QStringLiteral("-b"), QStringLiteral("-user"), login.user,
                                        QStringLiteral("-password"), login.password, database, copy});
    if (!gbak.waitForFinished(600000) || gbak.exitCode() != 0) {
        std::fprintf(stderr, "gbak failed: %s\n", gbak.readAllStandardError().constData());
        std::exit(1);
    }
    return static_cast<double>(t.nsecsElapsed()) / 1e6;
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    bench::BenchDatabase db;
    bench::fillDeadlines(db.dm, rows);
    const QString database = db.dm.databaseName;
    const QString ours = db.dir.filePath(QStringLiteral("program.copia"));
    const QString theirs = db.dir.filePath(QStringLiteral("gbak.copia"));

    double best = 1e18, bestGbak = 1e18;
    for (int i = 0; i < rounds; ++i) {
        // gbak opens the file itself: nothing else may hold it meanwhile.
        db.dm.disconnect();
        bestGbak = std::min(bestGbak, commandLine(database, theirs));
        db.dm.connect();
        best = std::min(best, program(db.dm, database, ours));
    }
    std::printf("deadlines:         %8d\n", rows);
    std::printf("gbak -b:           %8.1f ms (best of %d), %lld bytes\n", bestGbak, rounds,
                static_cast<long long>(QFile(theirs).size()));
    std::printf("program's copy:    %8.1f ms (best of %d), %lld bytes\n", best, rounds,
                static_cast<long long>(QFile(ours).size()));
    std::printf("ratio:             %8.3f (goal: at most 1.2)\n", best / bestGbak);
    return 0;
}
