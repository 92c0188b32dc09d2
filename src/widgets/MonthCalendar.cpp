#include "MonthCalendar.h"

#include "platform/Clock.h"
#include "platform/Error.h"

#include <QKeyEvent>
#include <QLocale>
#include <QMouseEvent>
#include <QPainter>

namespace velmora {

MonthCalendar::MonthCalendar(QWidget *parent) : QWidget(parent), m_date(now().date())
{
    setFocusPolicy(Qt::StrongFocus);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

void MonthCalendar::setYear(int year)
{
    if (year < 1 || year == this->year())
        return;
    change(QDate(year, month(), day()));
}

void MonthCalendar::setMonth(int month)
{
    if (month < 1 || month > 12 || month == this->month())
        return;
    change(QDate(year(), month, day()));
}

void MonthCalendar::setDay(int day)
{
    if (day < 1 || day > m_date.daysInMonth() || day == this->day())
        return;
    change(QDate(year(), month(), day));
}

void MonthCalendar::setDate(const QDate &date)
{
    change(date);
}

void MonthCalendar::change(const QDate &date)
{
    // QDate goes past 9999; the dates the program stores do not.
    if (!date.isValid() || date.year() > 9999)
        throw Error(QStringLiteral("Invalid argument to date encode"));
    if (date == m_date)
        return;
    m_date = date;
    update();
    Q_EMIT dateChanged(m_date);
}

void MonthCalendar::setCellPainter(CellPainter painter)
{
    m_painter = std::move(painter);
    update();
}

int MonthCalendar::dayAt(int column, int row) const
{
    if (row < 1)
        return 0;
    const int lead = QDate(year(), month(), 1).dayOfWeek() - 1;   // Monday is 1
    const int day = (row - 1) * columns + column - lead + 1;
    return day >= 1 && day <= m_date.daysInMonth() ? day : 0;
}

QString MonthCalendar::cellText(int column, int row) const
{
    if (row == 0)
        return QLocale(QLocale::Italian).dayName(column + 1, QLocale::ShortFormat);
    const int day = dayAt(column, row);
    return day ? QString::number(day) : QString();
}

QRect MonthCalendar::cellRect(int column, int row) const
{
    // Edges by proportion, so that the cells fill the widget without gaps.
    const int left = column * width() / columns;
    const int top = row * height() / rows;
    return QRect(left, top, (column + 1) * width() / columns - left,
                 (row + 1) * height() / rows - top);
}

QSize MonthCalendar::sizeHint() const
{
    return QSize(287, rows * 17);
}

void MonthCalendar::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const QPalette &colours = palette();
    for (int row = 0; row < rows; ++row) {
        for (int column = 0; column < columns; ++column) {
            const QString text = cellText(column, row);
            CellStyle style{font(), colours.color(QPalette::Text), colours.color(QPalette::Base)};
            if (row == 0) {
                style.text = colours.color(QPalette::ButtonText);
                style.background = colours.color(QPalette::Button);
            }
            if (m_painter)
                m_painter(column, row, text, style);

            const QRect cell = cellRect(column, row);
            painter.fillRect(cell, style.background);
            painter.setPen(colours.color(QPalette::Mid));
            painter.drawRect(cell.adjusted(0, 0, -1, -1));
            painter.setFont(style.font);
            painter.setPen(style.text);
            painter.drawText(cell, Qt::AlignCenter, text);
            // A frame, not a fill, marks the chosen day, so the hook's
            // background stays visible under it.
            if (dayAt(column, row) == day()) {
                painter.setPen(QPen(colours.color(QPalette::Highlight), 2));
                painter.drawRect(cell.adjusted(2, 2, -2, -2));
            }
        }
    }
}

void MonthCalendar::mousePressEvent(QMouseEvent *event)
{
    QWidget::mousePressEvent(event);
    if (event->button() != Qt::LeftButton)
        return;
    const QPoint at = event->position().toPoint();
    for (int row = 1; row < rows; ++row)
        for (int column = 0; column < columns; ++column)
            if (cellRect(column, row).contains(at))
                if (const int day = dayAt(column, row))
                    setDay(day);
}

void MonthCalendar::mouseDoubleClickEvent(QMouseEvent *event)
{
    QWidget::mouseDoubleClickEvent(event);
    Q_EMIT doubleClicked();
}

void MonthCalendar::keyPressEvent(QKeyEvent *event)
{
    int step = 0;
    switch (event->key()) {
    case Qt::Key_Left: step = -1; break;
    case Qt::Key_Right: step = 1; break;
    case Qt::Key_Up: step = -columns; break;
    case Qt::Key_Down: step = columns; break;
    default:
        QWidget::keyPressEvent(event);
        return;
    }
    // The arrows stay inside the shown month, as the cells do.
    const QDate target = m_date.addDays(step);
    if (target.month() == month())
        setDate(target);
}

} // namespace velmora
