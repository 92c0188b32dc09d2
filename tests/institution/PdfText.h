#pragma once

#include <QList>
#include <QRectF>
#include <QString>
#include <QStringList>

namespace velmora::test {

// The words of a PDF file as poppler reads them back (pdftotext
// -bbox-layout), with their boxes in millimetres from the page's corner.
struct PdfWord {
    QString text;
    QRectF box;
};

struct PdfLine {
    QList<PdfWord> words;
    QString text() const;            // the words joined by one blank
    QRectF box() const;
};

struct PdfPage {
    qreal width = 0;                 // mm
    qreal height = 0;
    QList<PdfLine> lines;
    QStringList texts() const;
    // The first line whose text starts with the given text; nullptr when none.
    const PdfLine *find(const QString &start) const;
    // Every word, in reading order.
    QList<PdfWord> words() const;
    // The first word with exactly this text; nullptr when none.
    const PdfWord *word(const QString &text) const;
    // The words grouped by the height at which they stand (within half a
    // millimetre), top to bottom, each row's words left to right and
    // joined by one blank: what a reader sees as the rows of the page.
    QStringList rows() const;
};

// Empty, with a failure message, when the file cannot be read.
QList<PdfPage> readPdf(const QString &file);

} // namespace velmora::test
