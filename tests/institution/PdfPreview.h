#pragma once

#include "PdfText.h"
#include "report/Print.h"
#include "report/Report.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <functional>

namespace velmora::test {

// Prints each preview to a PDF file and reads it back instead of showing
// a window; `during` runs while the preview is "open". Installed while it
// lives.
class PdfPreview : public report::Preview {
public:
    PdfPreview() { report::setPreview(this); }
    ~PdfPreview() override { report::setPreview(nullptr); }
    PdfPreview(const PdfPreview &) = delete;
    PdfPreview &operator=(const PdfPreview &) = delete;

    void show(const report::Report &report) override
    {
        titles << report.layout().title;
        const QString file = m_dir.filePath(QStringLiteral("%1.pdf").arg(titles.size()));
        report::printToPdf(report, file);
        files << file;
        // To look at the pages: VELMORA_KEEP_PDF names a folder for copies.
        const QString keep = qEnvironmentVariable("VELMORA_KEEP_PDF");
        if (!keep.isEmpty())
            QFile::copy(file, QStringLiteral("%1/%2-%3.pdf").arg(keep, QTest::currentTestFunction()).arg(titles.size()));
        pdfs << readPdf(file);
        if (during) {
            auto run = std::move(during);
            run();
        }
    }

    void raise(const QString &title) override { raised << title; }

    QStringList titles;
    QStringList raised;
    QStringList files;
    QList<QList<PdfPage>> pdfs;
    std::function<void()> during;

private:
    QTemporaryDir m_dir;
};

} // namespace velmora::test
