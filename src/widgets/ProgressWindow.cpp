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

#include <exception>
#include <thread>

namespace velmora {

namespace {

// The pointer says "working, still answering" for as long as the job runs.
class BusyPointer {
public:
    BusyPointer() { QGuiApplication::setOverrideCursor(QCursor(Qt::BusyCursor)); }
    ~BusyPointer() { QGuiApplication::restoreOverrideCursor(); }
    BusyPointer(const BusyPointer &) = delete;
    BusyPointer &operator=(const BusyPointer &) = delete;
};

} // namespace

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
    std::atomic<bool> stop{false};
    std::exception_ptr failure;
    bool done = false;
    QEventLoop loop;
    std::thread worker([&] {
        try {
            job([this](const QString &line) {
                QMetaObject::invokeMethod(this, [this, line] { memo_servizio->appendPlainText(line); },
                                          Qt::QueuedConnection);
            }, stop);
        } catch (...) {
            failure = std::current_exception();
        }
        // Posted after the last line, so every line is shown when the wait ends.
        QMetaObject::invokeMethod(&loop, [&] {
            done = true;
            loop.quit();
        }, Qt::QueuedConnection);
    });
    // exec() also returns when the application exits (every nested loop
    // ends then), and returns at once once an exit is under way.
    connect(&QuitRequest::instance(), &QuitRequest::raised, &loop, &QEventLoop::quit);
    if (!quitRequested())
        loop.exec();
    // A job that ended as the request came is given up all the same: what
    // it did is not to be taken on by a program that is ending.
    const bool completed = done && !quitRequested();
    if (!completed)
        stop = true;
    worker.join();
    hide();
    if (!completed)
        return false;
    if (failure)
        std::rethrow_exception(failure);
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
