#include "report/Print.h"

#include "report/PreviewWindow.h"
#include "report/Report.h"

#include <QHash>
#include <QPainter>
#include <QPrinter>
#include <QScopeGuard>

namespace velmora::report {

namespace {

constexpr qreal mmPerInch = 25.4;

class WindowPreview : public Preview {
public:
    void show(const Report &report) override
    {
        PreviewWindow window(report);
        const QString title = report.layout().title;
        m_open.insert(title, &window);
        const auto closed = qScopeGuard([this, &title] { m_open.remove(title); });
        window.run();
    }

    void raise(const QString &title) override
    {
        if (PreviewWindow *window = m_open.value(title)) {
            window->raise();
            window->activateWindow();
        }
    }

private:
    QHash<QString, PreviewWindow *> m_open;
};

Preview *installed = nullptr;

} // namespace

void setUpPrinter(QPrinter &printer, const QString &title)
{
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setPageOrientation(QPageLayout::Portrait);
    printer.setFullPage(true);
    printer.setDocName(title);
}

void print(const Report &report, QPrinter &printer)
{
    const QList<Page> pages = report.layOut(printer);
    const qreal sx = printer.logicalDpiX() / mmPerInch;
    const qreal sy = printer.logicalDpiY() / mmPerInch;
    const auto dots = [sx, sy](const QRectF &mm) {
        return QRectF(mm.x() * sx, mm.y() * sy, mm.width() * sx, mm.height() * sy);
    };
    QPainter painter(&printer);
    for (qsizetype p = 0; p < pages.size(); ++p) {
        if (p > 0)
            printer.newPage();
        const Page &page = pages[p];
        painter.setBrush(Qt::NoBrush);
        for (const PlacedFrame &frame : page.frames) {
            painter.setPen(QPen(Qt::black, frame.width * sx));
            painter.drawRect(dots(frame.box));
        }
        painter.setPen(QPen(Qt::black, thinLine * sx));
        for (const QLineF &line : page.lines)
            painter.drawLine(QLineF(line.x1() * sx, line.y1() * sy, line.x2() * sx, line.y2() * sy));
        for (const PlacedText &text : page.texts) {
            if (text.text.isEmpty())
                continue;
            painter.setFont(text.font);
            painter.drawText(dots(text.box), text.flags, text.text);
        }
    }
}

void printToPdf(const Report &report, const QString &file)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(file);
    setUpPrinter(printer, report.layout().title);
    print(report, printer);
}

Preview &preview()
{
    static WindowPreview window;
    return installed ? *installed : window;
}

void setPreview(Preview *replacement)
{
    installed = replacement;
}

} // namespace velmora::report
