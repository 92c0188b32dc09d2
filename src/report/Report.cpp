#include "report/Report.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPaintDevice>

#include <algorithm>
#include <optional>
#include <vector>

namespace velmora::report {

namespace {

constexpr qreal mmPerInch = 25.4;

QFont fontOf(const Layout &layout, const Cell &cell)
{
    QFont font(layout.family);
    font.setPointSizeF(cell.points);
    font.setBold(cell.bold);
    return font;
}

int flagsOf(const Cell &cell)
{
    return static_cast<int>(cell.alignment) | (cell.wrap ? Qt::TextWordWrap : Qt::TextDontClip);
}

// Places bands on one page after the other, measuring on the device.
class Paginator {
public:
    Paginator(const Layout &layout, QPaintDevice &device)
        : m_layout(layout), m_dotsPerMmX(device.logicalDpiX() / mmPerInch),
          m_dotsPerMmY(device.logicalDpiY() / mmPerInch)
    {
        for (const Cell &cell : layout.detail.cells) {
            if (cell.wrap)
                m_metrics.emplace_back(QFontMetricsF(fontOf(layout, cell), &device));
            else
                m_metrics.emplace_back(std::nullopt);
        }
    }

    void addHeaderAndFooter(const Values &values, const std::function<QString(const Cell &, const Values &)> &text)
    {
        Page &page = m_pages.emplace_back();
        const QString number = QString::number(m_pages.size());
        place(page, m_layout.columnHeader, margin, m_layout.columnHeader.height, [&](int i) {
            return text(m_layout.columnHeader.cells[i], values);
        });
        const Band &footer = m_layout.pageFooter;
        place(page, footer, footerTop(), footer.height, [&](int i) {
            const Cell &cell = footer.cells[i];
            return cell.content == Content::PageNumber ? cell.text + number : text(cell, values);
        });
        m_y = margin + m_layout.columnHeader.height;
        m_details = 0;
    }

    // False when the row must go to a new page first.
    bool addDetail(const QStringList &texts)
    {
        const Band &detail = m_layout.detail;
        const qreal height = detailHeight(texts);
        if (m_details > 0 && m_y + height > footerTop())
            return false;
        place(m_pages.back(), detail, m_y, height, [&](int i) { return texts[i]; });
        m_y += height;
        ++m_details;
        return true;
    }

    QList<Page> pages() && { return std::move(m_pages); }

private:
    qreal footerTop() const { return paperHeight - margin - m_layout.pageFooter.height; }

    // The band's own height, or more where a wrapped text needs more lines.
    qreal detailHeight(const QStringList &texts) const
    {
        const Band &detail = m_layout.detail;
        qreal height = detail.height;
        for (qsizetype i = 0; i < detail.cells.size(); ++i) {
            if (!m_metrics[i])
                continue;
            const Cell &cell = detail.cells[i];
            const QFontMetricsF &fm = *m_metrics[i];
            // As the painting maps the box: widths along x, heights along y.
            const qreal width = cell.box.width() * m_dotsPerMmX;
            // Most texts fit on one line: no layout needed for them.
            const bool oneLine = !texts[i].contains(QLatin1Char('\n')) && fm.horizontalAdvance(texts[i]) <= width;
            const qreal needed = oneLine
                                     ? fm.height()
                                     : fm.boundingRect(QRectF(0, 0, width, 1e9), flagsOf(cell), texts[i]).height();
            height = std::max(height, detail.height + needed / m_dotsPerMmY - cell.box.height());
        }
        return height;
    }

    template <class TextAt>
    void place(Page &page, const Band &band, qreal top, qreal height, TextAt textAt) const
    {
        if (band.frame != Frame::None)
            page.frames << PlacedFrame{QRectF(margin, top, printableWidth, height),
                                       band.frame == Frame::Double ? 2 * thinLine : thinLine};
        for (const qreal x : band.verticalLines)
            page.lines << QLineF(margin + x, top, margin + x, top + height);
        const qreal grown = height - band.height;
        for (qsizetype i = 0; i < band.cells.size(); ++i) {
            const Cell &cell = band.cells[i];
            QRectF box = cell.box.translated(margin, top);
            if (cell.wrap)
                box.setHeight(box.height() + grown);
            page.texts << PlacedText{box, textAt(static_cast<int>(i)), fontOf(m_layout, cell), flagsOf(cell)};
        }
    }

    const Layout &m_layout;
    const qreal m_dotsPerMmX;
    const qreal m_dotsPerMmY;
    std::vector<std::optional<QFontMetricsF>> m_metrics;
    QList<Page> m_pages;
    qreal m_y = 0;
    int m_details = 0;
};

} // namespace

Report::Report(Layout layout, const DataSource &source) : m_layout(std::move(layout)), m_source(source) {}

QString Report::textOf(const Cell &cell, const Values &values, int row) const
{
    switch (cell.content) {
    case Content::Fixed:
    case Content::PageNumber:
        return cell.text;
    case Content::Column:
        return row < 0 ? QString() : m_source.text(row, cell.key);
    case Content::Computed:
        return values.value(cell.key);
    }
    return {};
}

void Report::generate()
{
    m_values.clear();
    if (beforeGenerate)
        beforeGenerate(m_values);
    m_rows.clear();
    const int count = m_source.rowCount();
    m_rows.reserve(count);
    for (int row = 0; row < count; ++row) {
        Values values;
        if (beforeDetail)
            beforeDetail(row, values);
        QStringList texts;
        texts.reserve(m_layout.detail.cells.size());
        for (const Cell &cell : m_layout.detail.cells)
            texts << textOf(cell, values, row);
        m_rows << texts;
    }
}

QList<Page> Report::layOut(QPaintDevice &device) const
{
    Paginator pages(m_layout, device);
    const auto text = [this](const Cell &cell, const Values &values) { return textOf(cell, values, -1); };
    pages.addHeaderAndFooter(m_values, text);
    for (const QStringList &row : m_rows) {
        if (!pages.addDetail(row)) {
            pages.addHeaderAndFooter(m_values, text);
            pages.addDetail(row);
        }
    }
    return std::move(pages).pages();
}

} // namespace velmora::report
