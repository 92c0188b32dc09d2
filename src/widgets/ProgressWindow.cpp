#include "widgets/ProgressWindow.h"

#include "platform/QuitRequest.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QEventLoop>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QVBoxLayout>

#include <chrono>
#include <condition_variable>
#include <exception>
#include <memory>
#include <mutex>
#include <thread>

namespace velmora {

namespace {

// A job told to stop ends within about a second; one that does not (a
// server that stopped answering in the middle of a read) is left behind
// after this long, so that it cannot keep the program from ending.
constexpr std::chrono::seconds stopBound{5};

// The pointer says "working, still answering" for as long as the job runs.
class BusyPointer {
public:
    BusyPointer() { QGuiApplication::setOverrideCursor(QCursor(Qt::BusyCursor)); }
    ~BusyPointer() { QGuiApplication::restoreOverrideCursor(); }
    BusyPointer(const BusyPointer &) = delete;
    BusyPointer &operator=(const BusyPointer &) = delete;
};

} // namespace

// What the window and its job's thread share. A job left behind keeps it
// alive and touches nothing else of the window's.
struct ProgressWindow::Shared {
    std::atomic<bool> stop{false};
    std::mutex lock;
    std::condition_variable ended;
    // Under lock.
    bool finished = false;
    bool leftBehind = false;
    std::exception_ptr failure;
    // On the window's thread only.
    bool done = false;
    QEventLoop *loop = nullptr;

    // Runs f on the window's thread, unless the job was left behind.
    void post(ProgressWindow *window, std::function<void()> f)
    {
        const std::lock_guard held(lock);
        if (!leftBehind)
            QMetaObject::invokeMethod(window, std::move(f), Qt::QueuedConnection);
    }
};

ProgressWindow::ProgressWindow(const QString &title, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      lbl_servizio(new QLabel(QStringLiteral("Operazione in corso, attendere..."), this)),
      memo_servizio(new QPlainTextEdit(this))
{
    setObjectName(QStringLiteral("frm_servizio"));
    setWindowTitle(title);
    setWindowModality(Qt::ApplicationModal);
    lbl_servizio->setObjectName(QStringLiteral("lbl_servizio"));
    lbl_servizio->setBuddy(memo_servizio);
    memo_servizio->setObjectName(QStringLiteral("memo_servizio"));
    memo_servizio->setAccessibleName(lbl_servizio->text());
    memo_servizio->setReadOnly(true);
    memo_servizio->setLineWrapMode(QPlainTextEdit::NoWrap);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(lbl_servizio);
    layout->addWidget(memo_servizio);
    resize(560, 320);
}

bool ProgressWindow::run(const Job &job)
{
    memo_servizio->clear();
    show();
    const BusyPointer busy;
    const auto shared = std::make_shared<Shared>();
    QEventLoop loop;
    shared->loop = &loop;
    std::thread worker([this, shared, job] {
        std::exception_ptr failure;
        try {
            job([this, &shared](const QString &line) {
                shared->post(this, [this, line] { memo_servizio->appendPlainText(line); });
            }, shared->stop);
        } catch (...) {
            failure = std::current_exception();
        }
        {
            const std::lock_guard held(shared->lock);
            shared->failure = failure;
            shared->finished = true;
        }
        shared->ended.notify_all();
        // Posted after the last line, so every line is shown when the wait ends.
        shared->post(this, [shared] {
            if (!shared->loop)
                return;
            shared->done = true;
            shared->loop->quit();
        });
    });
    // exec() also returns when the application exits (every nested loop
    // ends then), and returns at once once an exit is under way.
    connect(&QuitRequest::instance(), &QuitRequest::raised, &loop, &QEventLoop::quit);
    if (!quitRequested())
        loop.exec();
    shared->loop = nullptr;
    // A job that ended as the request came is given up all the same: what
    // it did is not to be taken on by a program that is ending.
    const bool completed = shared->done && !quitRequested();
    if (!completed)
        shared->stop = true;
    std::unique_lock held(shared->lock);
    if (shared->ended.wait_for(held, stopBound, [&] { return shared->finished; })) {
        held.unlock();
        worker.join();
    } else {
        shared->leftBehind = true;
        held.unlock();
        worker.detach();
    }
    hide();
    if (!completed)
        return false;
    if (shared->failure)
        std::rethrow_exception(shared->failure);
    return true;
}

void ProgressWindow::closeEvent(QCloseEvent *event)
{
    event->ignore();
}

void ProgressWindow::keyPressEvent(QKeyEvent *event)
{
    // Escape would reject the dialog while the job runs.
    if (event->key() == Qt::Key_Escape)
        return;
    QDialog::keyPressEvent(event);
}

} // namespace velmora
