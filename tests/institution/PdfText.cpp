#include "PdfText.h"

#include <QProcess>

#include <algorithm>
#include <QTest>
#include <QXmlStreamReader>

namespace velmora::test {

namespace {

constexpr qreal mmPerPoint = 25.4 / 72;

qreal mm(const QXmlStreamAttributes &a, const char *name)
{
    return a.value(QLatin1String(name)).toDouble() * mmPerPoint;
}

} // namespace

QString PdfLine::text() const
{
    QStringList parts;
    for (const PdfWord &w : words)
        parts << w.text;
    return parts.join(QLatin1Char(' '));
}

QRectF PdfLine::box() const
{
    QRectF all;
    for (const PdfWord &w : words)
        all = all.isNull() ? w.box : all.united(w.box);
    return all;
}

QStringList PdfPage::texts() const
{
    QStringList out;
    for (const PdfLine &l : lines)
        out << l.text();
    return out;
}

const PdfLine *PdfPage::find(const QString &start) const
{
    for (const PdfLine &l : lines)
        if (l.text().startsWith(start))
            return &l;
    return nullptr;
}

QList<PdfWord> PdfPage::words() const
{
    QList<PdfWord> out;
    for (const PdfLine &l : lines)
        out << l.words;
    return out;
}

const PdfWord *PdfPage::word(const QString &text) const
{
    for (const PdfLine &l : lines)
        for (const PdfWord &w : l.words)
            if (w.text == text)
                return &w;
    return nullptr;
}

QStringList PdfPage::rows() const
{
    QList<PdfWord> all = words();
    std::sort(all.begin(), all.end(), [](const PdfWord &a, const PdfWord &b) {
        return a.box.bottom() < b.box.bottom();
    });
    QList<QList<PdfWord>> grouped;
    for (const PdfWord &w : all) {
        if (grouped.isEmpty() || w.box.bottom() - grouped.last().first().box.bottom() > 0.5)
            grouped << QList<PdfWord>{};
        grouped.last() << w;
    }
    QStringList out;
    for (QList<PdfWord> &row : grouped) {
        std::sort(row.begin(), row.end(), [](const PdfWord &a, const PdfWord &b) { return a.box.left() < b.box.left(); });
        QStringList parts;
        for (const PdfWord &w : row)
            parts << w.text;
        out << parts.join(QLatin1Char(' '));
    }
    return out;
}

QList<PdfPage> readPdf(const QString &file)
{
    QProcess poppler;
    poppler.start(QStringLiteral("pdftotext"), {QStringLiteral("-bbox-layout"), file, QStringLiteral("-")});
    if (!poppler.waitForFinished(30000) || poppler.exitCode() != 0) {
        qWarning("pdftotext failed on %s: %s", qPrintable(file), poppler.readAllStandardError().constData());
        return {};
    }
    QList<PdfPage> pages;
    QXmlStreamReader xml(poppler.readAllStandardOutput());
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        const QXmlStreamAttributes a = xml.attributes();
        if (xml.name() == QLatin1String("page")) {
            pages << PdfPage{mm(a, "width"), mm(a, "height"), {}};
        } else if (xml.name() == QLatin1String("line")) {
            pages.last().lines << PdfLine{};
        } else if (xml.name() == QLatin1String("word")) {
            const QRectF box(QPointF(mm(a, "xMin"), mm(a, "yMin")), QPointF(mm(a, "xMax"), mm(a, "yMax")));
            pages.last().lines.last().words << PdfWord{xml.readElementText(), box};
        }
    }
    return pages;
}

} // namespace velmora::test
