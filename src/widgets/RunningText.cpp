#include "widgets/RunningText.h"

#include "platform/ErrorReport.h"

#include <QPainter>

namespace velmora {

namespace {

constexpr int tickMs = 30;
constexpr int stepPx = 2;

} // namespace

RunningText::RunningText(QWidget *parent) : QWidget(parent)
{
    m_timer.setInterval(tickMs);
    connect(&m_timer, &QTimer::timeout, this, guardedSlot(this, &RunningText::step));
}

void RunningText::setText(const QString &text)
{
    m_text = text;
    m_offset = width();
    updateGeometry();
    update();
}

void RunningText::step()
{
    m_offset -= stepPx;
    if (m_offset + fontMetrics().horizontalAdvance(m_text) < 0)
        m_offset = width();
    update();
}

QSize RunningText::sizeHint() const
{
    const QFontMetrics metrics = fontMetrics();
    return {metrics.horizontalAdvance(m_text), metrics.height() + 4};
}

void RunningText::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.drawText(QRect(m_offset, 0, fontMetrics().horizontalAdvance(m_text), height()),
                     Qt::AlignLeft | Qt::AlignVCenter, m_text);
}

void RunningText::showEvent(QShowEvent *)
{
    m_offset = width();
    m_timer.start();
}

void RunningText::hideEvent(QHideEvent *)
{
    m_timer.stop();
}

} // namespace velmora
