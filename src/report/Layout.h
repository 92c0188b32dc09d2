#pragma once

#include <QList>
#include <QRectF>
#include <QString>

namespace velmora::report {

// A4 portrait with the same margin on every side; every length in millimetres.
inline constexpr qreal paperWidth = 210.0;
inline constexpr qreal paperHeight = 297.0;
inline constexpr qreal margin = 10.0;
inline constexpr qreal printableWidth = paperWidth - 2 * margin;

// A band's border: none, a thin line, or a line twice as wide.
enum class Frame { None, Thin, Double };
inline constexpr qreal thinLine = 0.2;

// Where a cell's text comes from.
enum class Content {
    Fixed,        // text
    Column,       // the row's value of the column `key`
    Computed,     // the value a hook gave to `key`
    PageNumber,   // text, then the page's number
};

struct Cell {
    Content content;
    QString key;
    QString text;
    QRectF box;               // within its band, x from the left margin
    qreal points = 10;
    bool bold = false;
    Qt::Alignment alignment = Qt::AlignLeft;
    // Word-wrapped and kept inside its box; in a detail band the band grows
    // to hold every line. A one-line text is never cut.
    bool wrap = false;
};

struct Band {
    qreal height = 0;
    Frame frame = Frame::None;
    QList<Cell> cells;
    QList<qreal> verticalLines;   // thin lines across the whole band, at these x
};

// A banded report: the column header band tops every page, the detail band
// prints once per row, the page footer band closes every page.
struct Layout {
    QString title;   // the preview window's and the print job's name
    QString family = QStringLiteral("Liberation Sans");   // Arial's widths
    Band columnHeader;
    Band detail;
    Band pageFooter;
};

} // namespace velmora::report
