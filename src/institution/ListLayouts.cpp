#include "institution/ListLayouts.h"

namespace velmora::lists {

namespace {

using report::Cell;
using report::Content;

constexpr qreal headerHeight = 24;
constexpr qreal rowHeight = 5.6;
constexpr qreal footerHeight = 6;
constexpr qreal rowTextTop = 0.7;
constexpr qreal rowTextHeight = 4.2;
constexpr qreal columnTitleHeight = 4;
constexpr qreal rowPoints = 10;

// One column of a list: its title in the header band and its cell in the
// detail band, at the same left edge and width.
struct Column {
    const char *title;
    Content content;
    QString key;
    qreal left;
    qreal width;
    Qt::Alignment alignment;
    bool wrap;
};

report::Layout list(const char *title, const char *listTitle, const QString &headerKey,
                    const QList<Column> &columns)
{
    report::Layout layout;
    layout.title = QString::fromUtf8(title);

    report::Band &header = layout.columnHeader;
    header.height = headerHeight;
    header.frame = report::Frame::Double;
    header.cells << Cell{Content::Computed, headerKey, {}, QRectF(1, 1, 187, 9.5), 10, true, Qt::AlignLeft, true}
                 << Cell{Content::Fixed, {}, QString::fromUtf8(listTitle), QRectF(0, 11, report::printableWidth, 6.5),
                         14, true, Qt::AlignHCenter, false};
    report::Band &detail = layout.detail;
    detail.height = rowHeight;
    detail.frame = report::Frame::Thin;
    for (const Column &c : columns) {
        header.cells << Cell{Content::Fixed, {}, QString::fromUtf8(c.title),
                             QRectF(c.left, headerHeight - columnTitleHeight - 0.3, c.width, columnTitleHeight), 9,
                             true, c.alignment, false};
        detail.cells << Cell{c.content, c.key, {}, QRectF(c.left, rowTextTop, c.width, rowTextHeight), rowPoints,
                             false, c.alignment, c.wrap};
    }

    layout.pageFooter.height = footerHeight;
    layout.pageFooter.cells << Cell{Content::PageNumber, {}, QStringLiteral("Pag."), QRectF(150, 1, 39, 4.2),
                                    rowPoints, false, Qt::AlignRight, false};
    return layout;
}

// Giorno and Mese, as the holiday and annual lists print them.
QList<Column> dayAndMonth()
{
    return {{"Giorno", Content::Column, QStringLiteral("giorno"), 148, 8.5, Qt::AlignHCenter, false},
            {"Mese", Content::Computed, monthCell, 162.5, 25.5, Qt::AlignHCenter, false}};
}

} // namespace

report::Layout deadlineLayout()
{
    return list("Elenco Scadenze", "ELENCO SCADENZE", deadlineHeader,
                {{"Scadenza", Content::Column, QStringLiteral("scadenza"), 1, 126.5, Qt::AlignLeft, true},
                 {"Data", Content::Column, QStringLiteral("data"), 133, 19.5, Qt::AlignLeft, false},
                 {"Ora", Content::Column, QStringLiteral("ora"), 159, 12.5, Qt::AlignLeft, false},
                 {"Visionata", Content::Computed, seenCell, 174, 14.5, Qt::AlignHCenter, false}});
}

report::Layout holidayLayout()
{
    report::Layout layout =
        list("Elenco festività", "ELENCO FESTIVITA' ", holidayHeader,
             QList<Column>{{"Festività", Content::Column, QStringLiteral("festa"), 1, 141.5, Qt::AlignLeft, false}}
                 + dayAndMonth());
    layout.detail.verticalLines = {144.5, 160};
    return layout;
}

report::Layout annualLayout()
{
    return list("Elenco scadenze annuali", "ELENCO SCADENZE ANNUALI", annualHeader,
                QList<Column>{{"DESCRIZIONE SCADENZA", Content::Column, QStringLiteral("scadenza"), 1, 141.5,
                               Qt::AlignLeft, true}}
                    + dayAndMonth());
}

} // namespace velmora::lists
