#include "app/Pictures.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace velmora::pictures {

namespace {

const QColor maroon(128, 0, 0);
const QColor paper(250, 248, 240);
const QColor ink(40, 40, 60);

} // namespace

// A calendar page filling the rectangle, with a clock face over its corner.
void drawLogo(QPainter &p, const QRectF &r)
{
    const qreal u = r.width() / 16.0;
    const QRectF page = r.adjusted(u, 2 * u, -u, -u);

    p.setPen(QPen(ink, qMax(1.0, u / 2)));
    p.setBrush(paper);
    p.drawRoundedRect(page, u, u);

    const QRectF header(page.left(), page.top(), page.width(), page.height() * 0.28);
    QPainterPath band;
    band.addRoundedRect(header, u, u);
    p.fillPath(band, maroon);

    p.setBrush(Qt::white);
    for (const qreal x : {page.left() + page.width() * 0.28, page.right() - page.width() * 0.28})
        p.drawEllipse(QPointF(x, page.top()), 0.9 * u, 1.3 * u);

    // Three rows of days; today stands out.
    const qreal cell = page.width() / 5.0;
    p.setPen(Qt::NoPen);
    for (int row = 0; row < 3; ++row) {
        for (int col = 0; col < 4; ++col) {
            const QRectF day(page.left() + cell * (0.6 + col), header.bottom() + cell * (0.35 + row),
                             cell * 0.7, cell * 0.55);
            p.setBrush(row == 1 && col == 2 ? maroon : QColor(180, 180, 195));
            p.drawRect(day);
        }
    }

    const QPointF centre(page.right() - 2.2 * u, page.bottom() - 2.2 * u);
    const qreal radius = 3.2 * u;
    p.setPen(QPen(ink, qMax(1.0, u / 2)));
    p.setBrush(QColor(255, 214, 90));
    p.drawEllipse(centre, radius, radius);
    p.setPen(QPen(ink, qMax(1.0, u * 0.6), Qt::SolidLine, Qt::RoundCap));
    p.drawLine(centre, centre + QPointF(0, -radius * 0.7));
    p.drawLine(centre, centre + QPointF(radius * 0.5, radius * 0.1));
}

QPixmap logo(int side)
{
    QPixmap pixmap(side, side);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    drawLogo(p, QRectF(0, 0, side, side));
    return pixmap;
}

QPixmap banner(const QSize &size)
{
    QPixmap pixmap(size);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, size.width(), size.height());
    sky.setColorAt(0, QColor(24, 44, 92));
    sky.setColorAt(1, QColor(20, 120, 130));
    p.fillRect(pixmap.rect(), sky);

    // Pages of a calendar fanned out, the nearest one the largest.
    const qreal h = size.height();
    const qreal sides[] = {h * 0.55, h * 0.7, h * 0.9};
    qreal x = size.width() * 0.12;
    for (const qreal side : sides) {
        drawLogo(p, QRectF(x, (h - side) / 2, side, side));
        x += side * 1.15;
    }
    return pixmap;
}

QIcon trayIcon()
{
    QIcon icon;
    for (const int side : {16, 22, 32, 48, 64})
        icon.addPixmap(logo(side));
    return icon;
}

} // namespace velmora::pictures
