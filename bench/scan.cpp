// One minute tick over 100,000 deadlines of this workstation against a bare
// fetch of the same statement (goal: at most 1.3 times); and the alarm
// latency over 60 simulated minutes, from the start of the minute to the
// window on screen, with a silent sound (goal: at most 1 s, no minute skipped).
#include "Workload.h"

#include "alarms/Fmsg.h"
#include "alarms/Scan.h"
#include "db/Fdm.h"
#include "db/Statements.h"
#include "platform/Clock.h"
#include "platform/MinuteTimer.h"
#include "platform/Sound.h"
#include "widgets/PopupNotice.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QPlainTextEdit>

#include <algorithm>
#include <cstdio>

using namespace velmora;

namespace {

class Silence : public Sound {
public:
    void play(const QString &) override {}
};

// The simulated minutes, each one entered when its tick is due.
class SteppedClock : public Clock {
public:
    QDateTime at;
    QDateTime now() const override { return at; }
};

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    Silence silence;
    setSound(&silence);

    bench::BenchDatabase db;
    Tdm &dm = db.dm;
    bench::fillDeadlines(dm, 100000, true);
    // One unseen deadline in each of the 60 minutes from 10.00 on 1 June 2030.
    dm.run(QStringLiteral("EXECUTE BLOCK AS DECLARE i INTEGER = 0; BEGIN WHILE (i < 60) DO BEGIN "
                          "INSERT INTO scadenze (data, ora, scadenza, mail, pc) VALUES ('06/01/2030', "
                          "'10.' || LPAD(:i, 2, '0'), 'Minuto ' || :i, '', '10.0.0.7'); i = i + 1; END END"));
    dm.open(dm.t_sca_timer, sql::generalList(dm));

    QPlainTextEdit statusmemo;
    PopupNotice notice;
    QElapsedTimer sinceMinute;
    QList<double> latencies;
    QList<Tfrm_msg *> windows;
    DeadlineScan scan(dm, statusmemo, notice, [&](Tfrm_msg &w) {
        latencies << static_cast<double>(sinceMinute.nsecsElapsed()) / 1e6;
        windows << &w;
    });

    // The tick against a bare fetch, in a minute with nothing due.
    const QDateTime quiet(QDate(2031, 1, 1), QTime(3, 0));
    double tick = 1e18, bare = 1e18;
    for (int i = 0; i < 5; ++i) {
        QElapsedTimer t;
        t.start();
        scan.tick(quiet);
        tick = std::min(tick, static_cast<double>(t.nsecsElapsed()) / 1e6);
        int n = 0;
        bare = std::min(bare, bench::bareFetch(dm, sql::generalList(dm), n));
    }

    SteppedClock clock;
    clock.at = QDateTime(QDate(2030, 6, 1), QTime(9, 59, 30));
    setClock(&clock);
    MinuteTimer timer;
    QObject::connect(&timer, &MinuteTimer::minute, &app, [&](const QDateTime &m) { scan.tick(m); });
    timer.start();
    // The timer lands this far into each minute; its tick runs from there.
    const int landing = MinuteTimer::delayToNextMinute(clock.at.addSecs(30)) - 60000;
    for (int i = 0; i < 60; ++i) {
        clock.at = QDateTime(QDate(2030, 6, 1), QTime(10, i)).addMSecs(landing);
        sinceMinute.start();
        timer.fire();
        latencies.last() += landing;
        clock.at = clock.at.addSecs(30);
    }
    setClock(nullptr);
    setSound(nullptr);

    std::printf("tick over %d deadlines: %8.1f ms (best of 5)\n", dm.t_sca_timer.rowCount(), tick);
    std::printf("bare fetch:             %8.1f ms\n", bare);
    std::printf("ratio:                  %8.3f (goal: at most 1.3)\n", tick / bare);
    std::printf("alarm windows:          %8lld of 60 minutes\n", static_cast<long long>(windows.size()));
    std::printf("alarm latency:          %8.1f ms worst, %.1f ms best (goal: at most 1000 ms)\n",
                *std::max_element(latencies.begin(), latencies.end()),
                *std::min_element(latencies.begin(), latencies.end()));
    std::printf("peak memory:            %8ld KiB\n", bench::peakKiB());
    qDeleteAll(windows);
    return windows.size() == 60 ? 0 : 1;
}
