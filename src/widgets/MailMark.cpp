#include "MailMark.h"

#include <QPainter>

namespace velmora {

QPixmap mailMark()
{
    QPixmap mark(13, 10);
    mark.fill(Qt::transparent);
    QPainter painter(&mark);
    // One transparent pixel all round, so the row colour frames the envelope.
    const QRect body(1, 1, 10, 7);   // drawRect covers one pixel more each way
    painter.fillRect(body, QColor(0xFF, 0xF5, 0xCC));
    painter.setPen(QColor(0x1F, 0x3A, 0x93));
    painter.drawRect(body);
    // The flap: from both top corners to the middle.
    painter.drawLine(2, 2, 6, 5);
    painter.drawLine(10, 2, 6, 5);
    return mark;
}

} // namespace velmora
