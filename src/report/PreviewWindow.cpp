#include "report/PreviewWindow.h"

#include "platform/ErrorReport.h"
#include "platform/QuitRequest.h"
#include "report/Print.h"
#include "report/Report.h"

#include <QEventLoop>
#include <QPrintPreviewWidget>
#include <QPrinter>

namespace velmora::report {

namespace {

// What QPrinter::HighResolution gives a PDF or CUPS printer: the preview
// measures the wrapped texts as the printed page and the PDF do.
constexpr int printResolution = 1200;

} // namespace

PreviewWindow::PreviewWindow(const Report &report) : m_report(report)
{
    setObjectName(QStringLiteral("report_preview"));
    printer()->setResolution(printResolution);
    setUpPrinter(*printer(), report.layout().title);
    setWindowTitle(report.layout().title);
    setWindowModality(Qt::NonModal);
    connect(this, &QPrintPreviewDialog::paintRequested, this, guardedSlot(this, &PreviewWindow::paint));
    if (auto *view = findChild<QPrintPreviewWidget *>())
        view->fitInView();
}

void PreviewWindow::paint(QPrinter *printer)
{
    print(m_report, *printer);
}

void PreviewWindow::run()
{
    if (quitRequested())
        return;
    QEventLoop loop;
    connect(this, &QDialog::finished, &loop, &QEventLoop::quit);
    // The program is ending: the window goes with it.
    connect(&QuitRequest::instance(), &QuitRequest::raised, this, &QDialog::reject);
    showMaximized();
    loop.exec();
}

} // namespace velmora::report
