#pragma once

#include "report/Layout.h"

#include <QFont>
#include <QHash>
#include <QLineF>
#include <QStringList>

#include <functional>

class QPaintDevice;

namespace velmora::report {

// The rows a report prints, column values already as text.
class DataSource {
public:
    virtual ~DataSource() = default;
    virtual int rowCount() const = 0;
    virtual QString text(int row, const QString &column) const = 0;
};

// The values of the computed cells, by key.
using Values = QHash<QString, QString>;

// One text placed on a page, in millimetres from the paper's corner.
struct PlacedText {
    QRectF box;
    QString text;
    QFont font;
    int flags;   // for QPainter::drawText
};

struct PlacedFrame {
    QRectF box;
    qreal width;
};

struct Page {
    QList<PlacedText> texts;
    QList<PlacedFrame> frames;
    QList<QLineF> lines;   // thin
};

// A layout bound to its rows. generate() runs the hooks and takes every
// text; layOut() places them on pages for one device, whose fonts measure
// the wrapped cells.
class Report {
public:
    Report(Layout layout, const DataSource &source);

    // Before the report is generated: fills the computed cells of the
    // header and footer bands.
    std::function<void(Values &)> beforeGenerate;
    // Before each detail band: fills the row's computed cells.
    std::function<void(int row, Values &)> beforeDetail;

    const Layout &layout() const { return m_layout; }
    void generate();
    QList<Page> layOut(QPaintDevice &device) const;

private:
    QString textOf(const Cell &cell, const Values &values, int row) const;

    Layout m_layout;
    const DataSource &m_source;
    Values m_values;
    QList<QStringList> m_rows;   // the texts of the detail cells, row by row
};

} // namespace velmora::report
