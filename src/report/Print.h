#pragma once

#include <QString>

class QPrinter;

namespace velmora::report {

class Report;

// A4 portrait, the whole sheet addressable (the layout keeps its own
// margins), the job named after the report.
void setUpPrinter(QPrinter &printer, const QString &title);
// Lays the generated report out for the printer and paints every page.
void print(const Report &report, QPrinter &printer);
// The report as a PDF file.
void printToPdf(const Report &report, const QString &file);

// Shows a generated report until the user closes it. Tests install their
// own to print without a window.
class Preview {
public:
    virtual ~Preview() = default;
    virtual void show(const Report &report) = 0;
    // Brings forward the open preview of the report with that title; a
    // preview without a window has nothing to bring.
    virtual void raise(const QString &title) { Q_UNUSED(title) }
};

// The installed preview; the preview window unless a test installed its own.
Preview &preview();
// Installs a replacement (not owned); nullptr puts the window back.
void setPreview(Preview *replacement);

} // namespace velmora::report
