#include "report/PreviewWindow.h"

#include "platform/ErrorReport.h"
#include "platform/QuitRequest.h"
#include "report/Print.h"
#include "report/Report.h"
#include "widgets/FieldLabel.h"

#include <QComboBox>
#include <QEventLoop>
#include <QGraphicsView>
#include <QLabel>
#include <QLineEdit>
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
    if (auto *view = findChild<QPrintPreviewWidget *>()) {
        view->fitInView();
        nameForScreenReaders(*view);
    }
}

// Qt's preview leaves its page field, its zoom list and its page view
// without names.
void PreviewWindow::nameForScreenReaders(QPrintPreviewWidget &view)
{
    view.setAccessibleName(windowTitle());
    for (QGraphicsView *pages : view.findChildren<QGraphicsView *>())
        pages->setAccessibleName(windowTitle());
    for (QLineEdit *field : findChildren<QLineEdit *>())
        if (!qobject_cast<QComboBox *>(field->parentWidget()))
            field->setAccessibleName(QStringLiteral("Pagina"));
    // A list is named by a label of its own over AT-SPI.
    for (QComboBox *zoom : findChildren<QComboBox *>())
        fieldLabel(QStringLiteral("Ingrandimento"), zoom)->hide();
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
