#pragma once

#include <QPrintPreviewDialog>

class QPrintPreviewWidget;

namespace velmora::report {

class Report;

// Qt's preview window over a generated report: maximised, the page zoomed
// to fit, titled with the report's title; its print button opens Qt's
// print dialog. Not modal, so the tray menu and the timers go on while it
// is open. The dialog owns its printer: it reads the printer while it is
// built and while it is destroyed.
class PreviewWindow : public QPrintPreviewDialog {
    Q_OBJECT
public:
    explicit PreviewWindow(const Report &report);
    // Shows the window and returns once it is closed, or once the program
    // is asked to end.
    void run();

private:
    void paint(QPrinter *printer);
    void nameForScreenReaders(QPrintPreviewWidget &view);

    const Report &m_report;
};

} // namespace velmora::report
