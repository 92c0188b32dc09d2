// The progress window: a job's lines shown while it runs on its own thread,
// its failure passed on, and a quit request ending the wait.
#include "widgets/ProgressWindow.h"
#include "platform/Error.h"
#include "platform/QuitRequest.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QTimer>
#include <QtTest>

#include <future>
#include <memory>
#include <thread>

using namespace velmora;

class TestProgressWindow : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void showsEveryLine();
    void passesFailureOn();
    void keepsAnswering();
    void quitRequestEndsWait_data();
    void quitRequestEndsWait();
    void quitLeavesStuckJob();
    // Last: a quit request ends every later wait too.
    void quitEndsWait();
};

void TestProgressWindow::showsEveryLine()
{
    ProgressWindow w(QStringLiteral("Copia del database"));
    QCOMPARE(w.windowTitle(), QStringLiteral("Copia del database"));
    QCOMPARE(w.lbl_servizio->buddy(), w.memo_servizio);
    QCOMPARE(w.memo_servizio->accessibleName(), w.lbl_servizio->text());
    QVERIFY(w.run([](const ProgressWindow::LineSink &onLine, const std::atomic<bool> &) {
        for (int i = 1; i <= 500; ++i)
            onLine(QStringLiteral("riga %1").arg(i));
    }));
    const QStringList lines = w.memo_servizio->toPlainText().split(QLatin1Char('\n'));
    QCOMPARE(lines.size(), 500);
    QCOMPARE(lines.first(), QStringLiteral("riga 1"));
    QCOMPARE(lines.last(), QStringLiteral("riga 500"));
    QVERIFY(!w.isVisible());
}

void TestProgressWindow::passesFailureOn()
{
    ProgressWindow w(QStringLiteral("Ripristino del database"));
    try {
        w.run([](const ProgressWindow::LineSink &onLine, const std::atomic<bool> &) {
            onLine(QStringLiteral("gbak: ERROR: non è una copia"));
            throw Error(QStringLiteral("non è una copia"));
        });
        QFAIL("the job's error should come back");
    } catch (const Error &e) {
        QCOMPARE(e.text(), QStringLiteral("non è una copia"));
    }
    QCOMPARE(w.memo_servizio->toPlainText(), QStringLiteral("gbak: ERROR: non è una copia"));
}

// The job waits for a timer of the program: it ends only if events go on
// being handled while it runs.
void TestProgressWindow::keepsAnswering()
{
    ProgressWindow w(QStringLiteral("Copia del database"));
    std::atomic<bool> release{false};
    QTimer::singleShot(50, &w, [&] { release = true; });
    QVERIFY(w.run([&](const ProgressWindow::LineSink &, const std::atomic<bool> &) {
        while (!release)
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }));
    QVERIFY(release);
}

void TestProgressWindow::quitRequestEndsWait_data()
{
    QTest::addColumn<bool>("before");
    QTest::newRow("while the job runs") << false;
    // The job's work is not taken on by a program that is ending.
    QTest::newRow("before the job ends") << true;
}

// The session's end, or "Chiudi applicazione": the job is told to stop,
// and the wait ends without its result.
void TestProgressWindow::quitRequestEndsWait()
{
    QFETCH(bool, before);
    ProgressWindow w(QStringLiteral("Ripristino del database"));
    if (before)
        QuitRequest::instance().request();
    else
        QTimer::singleShot(50, &w, [] { QuitRequest::instance().request(); });
    const bool completed = w.run([&](const ProgressWindow::LineSink &, const std::atomic<bool> &stop) {
        while (!before && !stop)
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
    });
    QuitRequest::instance().clear();
    QVERIFY(!completed);
    QVERIFY(!w.isVisible());
}

// A job that does not stop, as a read from a server that stopped answering:
// the wait ends all the same, and what the job does later goes nowhere.
void TestProgressWindow::quitLeavesStuckJob()
{
    auto release = std::make_shared<std::promise<void>>();
    auto gone = std::make_shared<std::promise<void>>();
    const std::shared_future<void> released = release->get_future().share();
    const std::future<void> ended = gone->get_future();
    ProgressWindow w(QStringLiteral("Copia del database"));
    QTimer::singleShot(50, &w, [] { QuitRequest::instance().request(); });
    const bool completed = w.run([released, gone](const ProgressWindow::LineSink &onLine, const std::atomic<bool> &) {
        released.wait();
        onLine(QStringLiteral("risposta tardiva"));
        gone->set_value();
    });
    QuitRequest::instance().clear();
    QVERIFY(!completed);
    QVERIFY(!w.isVisible());
    release->set_value();
    ended.wait();
    QCoreApplication::processEvents();
    QVERIFY(w.memo_servizio->toPlainText().isEmpty());
}

void TestProgressWindow::quitEndsWait()
{
    ProgressWindow w(QStringLiteral("Copia del database"));
    bool stopped = false;
    QTimer::singleShot(100, qApp, [] { QCoreApplication::exit(0); });
    QVERIFY(!w.run([&](const ProgressWindow::LineSink &, const std::atomic<bool> &stop) {
        while (!stop)
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        stopped = true;
    }));
    QVERIFY(stopped);
    QVERIFY(!w.isVisible());
}

QTEST_MAIN(TestProgressWindow)
#include "test_progress_window.moc"
