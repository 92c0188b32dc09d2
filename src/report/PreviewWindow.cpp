#include "report/PreviewWindow.h"

#include "platform/ErrorReport.h"
#include "report/Print.h"
#include "report/Report.h"

#include <QEventLoop>
#include <QPrintPreviewWidget>

namespace velmora::report {

PreviewWindow::PreviewWindow(const Report &report) : QPrintPreviewDialog(&m_printer), m_report(report)
{
    setObjectName(QStringLiteral("report_preview"));
    setUpPrinter(m_printer, report.layout().title);
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
    QEventLoop loop;
    connect(this, &QDialog::finished, &loop, &QEventLoop::quit);
    showMaximized();
    loop.exec();
}

} // namespace velmora::report
