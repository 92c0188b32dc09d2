// The report engine's pages, measured on devices of their own.
#include "report/Report.h"

#include <QFontMetricsF>
#include <QImage>
#include <QtTest>

using namespace velmora::report;

namespace {

constexpr qreal mmPerInch = 25.4;
constexpr qreal cellWidth = 40;   // mm

class OneText : public DataSource {
public:
    explicit OneText(QString text) : m_text(std::move(text)) {}
    int rowCount() const override { return 1; }
    QString text(int, const QString &) const override { return m_text; }

private:
    QString m_text;
};

// One wrapped cell per row, 40 mm wide.
Layout wrapped()
{
    Layout layout;
    layout.columnHeader.height = 20;
    layout.detail = {5.6, Frame::Thin, {{Content::Column, QStringLiteral("testo"), {}, QRectF(1, 0.7, cellWidth, 4.2), 10,
                                         false, Qt::AlignLeft, true}}, {}};
    layout.pageFooter.height = 6;
    return layout;
}

QImage device(int dpiX, int dpiY)
{
    QImage image(10, 10, QImage::Format_RGB32);
    image.setDotsPerMeterX(qRound(dpiX / mmPerInch * 1000));
    image.setDotsPerMeterY(qRound(dpiY / mmPerInch * 1000));
    return image;
}

} // namespace

class TestReport : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // A device twice as fine across as down: the text is measured against
    // the cell's width along x, as it is painted, so it stays on one line.
    void widthsAlongX()
    {
        QImage image = device(600, 300);
        QFont font(wrapped().family);
        font.setPointSizeF(10);
        const QFontMetricsF metrics(font, &image);
        // Wider than the cell counted in vertical dots, narrower than in horizontal ones.
        QString text = QStringLiteral("Consegna");
        while (metrics.horizontalAdvance(text) <= cellWidth * 300 / mmPerInch * 1.2)
            text += QStringLiteral(" parola");
        QVERIFY(metrics.horizontalAdvance(text) < cellWidth * 600 / mmPerInch);

        const OneText rows(text);
        Report report(wrapped(), rows);
        report.generate();
        const QList<Page> pages = report.layOut(image);
        QCOMPARE(pages.size(), 1);
        // Header, then the one row: its frame keeps the band's own height.
        QCOMPARE(pages[0].frames.size(), 1);
        QCOMPARE(pages[0].frames[0].box.height(), 5.6);
    }
};

QTEST_MAIN(TestReport)
#include "test_report.moc"
