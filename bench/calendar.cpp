// 100,000 deadlines of this workstation and 50 holidays: the time of one full
// repaint of the month calendar (goal: at most 16 ms), and the opening of
// "Gestione scadenze" against the sum of its three bare reads (goal: at most
// 1.2 times).
#include "Workload.h"

#include "db/Fdm.h"
#include "db/Statements.h"
#include "deadlines/CalendarPanel.h"
#include "deadlines/DeadlinePage.h"
#include "platform/Dialogs.h"
#include "widgets/MonthCalendar.h"

#include <QApplication>
#include <QElapsedTimer>

#include <algorithm>
#include <cstdio>

using namespace velmora;

namespace {

constexpr int rows = 100000;
constexpr int rounds = 20;

// The past deadlines stay unseen, so each opening asks and reads the same.
class AnswerNo : public Dialogs {
public:
    bool question(const QString &) override { return false; }
    void warning(const QString &text) override { std::fprintf(stderr, "%s\n", qPrintable(text)); }
    void information(const QString &) override {}
    void error(const QString &text) override { std::fprintf(stderr, "%s\n", qPrintable(text)); }
    void plain(const QString &) override {}
    std::optional<QString> input(const QString &, const QString &, const QString &) override { return {}; }
    QString openFile(const QString &, const QString &, const QString &) override { return {}; }
};

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    AnswerNo answers;
    setDialogs(&answers);

    bench::BenchDatabase db;
    Tdm &dm = db.dm;
    bench::fillDeadlines(dm, rows, true);
    dm.run(QStringLiteral("EXECUTE BLOCK AS DECLARE i INTEGER = 0; BEGIN WHILE (i < 50) DO BEGIN "
                          "INSERT INTO festivita (giorno, mese, festa) VALUES (MOD(:i * 7, 28) + 1, MOD(:i, 12) + 1, "
                          "'Festa ' || :i); i = i + 1; END END"));
    dm.open(dm.t_sca_timer, sql::generalList(dm));

    DeadlinePage page(dm);
    page.presetFields();
    if (!page.open())
        return 1;
    MonthCalendar *calendar = page.calendar->calendario;

    double repaint = 1e18;
    for (int i = 0; i < rounds; ++i) {
        QElapsedTimer t;
        t.start();
        calendar->grab();
        repaint = std::min(repaint, static_cast<double>(t.nsecsElapsed()) / 1e6);
    }

    double opening = 1e18, bare = 1e18;
    for (int i = 0; i < 5; ++i) {
        QElapsedTimer t;
        t.start();
        page.open();
        opening = std::min(opening, static_cast<double>(t.nsecsElapsed()) / 1e6);
        const QDateTime now = QDateTime::currentDateTime();
        int n = 0;
        const double reads = bench::bareFetch(dm, sql::pastUnseen(dm, now), n)
                             + bench::bareFetch(dm, sql::generalList(dm), n)
                             + bench::bareFetch(dm, sql::todayList(dm, now.date()), n);
        bare = std::min(bare, reads);
    }

    std::printf("deadlines of this workstation: %d, holidays: 50\n", dm.t_sca_timer.rowCount());
    std::printf("calendar repaint:          %8.2f ms (best of %d; goal: at most 16 ms)\n", repaint, rounds);
    std::printf("Gestione scadenze opening: %8.1f ms (best of 5)\n", opening);
    std::printf("its three bare reads:      %8.1f ms\n", bare);
    std::printf("ratio:                     %8.3f (goal: at most 1.2)\n", opening / bare);
    std::printf("peak memory:               %8ld KiB\n", bench::peakKiB());
    setDialogs(nullptr);
    return 0;
}
