#pragma once

#include <QDialog>

#include <atomic>
#include <functional>

class QLabel;
class QPlainTextEdit;

namespace velmora {

// A small window that shows the lines of a long job, such as a copy of the
// database, while the job runs on a thread of its own: the program keeps
// answering (timers, repaints) instead of freezing until the job ends.
class ProgressWindow : public QDialog {
    Q_OBJECT
public:
    using LineSink = std::function<void(const QString &)>;
    // Hands its lines to onLine as they come and ends soon after stop is set.
    using Job = std::function<void(const LineSink &onLine, const std::atomic<bool> &stop)>;

    explicit ProgressWindow(const QString &title, QWidget *parent = nullptr);

    // Shows the window and waits for the job, rethrowing what it threw. A
    // quit request (or the application's exit) ends the wait first: the job
    // is told to stop and run() returns false, also when the job had just
    // ended. A job that does not stop within a few seconds is left behind,
    // running on its own: what it refers to must outlive it, or be the
    // program's to the end (a copy of the job is kept; its lines go nowhere).
    bool run(const Job &job);

    QLabel *lbl_servizio;
    QPlainTextEdit *memo_servizio;

protected:
    // The job cannot be left running behind a closed window.
    void closeEvent(QCloseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    struct Shared;
};

} // namespace velmora
