#pragma once

#include <QColor>
#include <QDate>
#include <QFont>
#include <QWidget>

#include <functional>

namespace velmora {

// A month sheet of 7 columns by 7 rows: the short Italian day names from
// Monday, then six weeks of day numbers. Cells outside the shown month are
// empty and cannot be chosen. The chosen date starts at today.
class MonthCalendar : public QWidget {
    Q_OBJECT
public:
    static constexpr int columns = 7;
    static constexpr int rows = 7;

    // How one cell is drawn; the paint hook may change any of it.
    struct CellStyle {
        QFont font;
        QColor text;
        QColor background;
    };
    // Called for each of the 49 cells every time the calendar is drawn;
    // text is the day name (row 0), the day number, or empty.
    using CellPainter =
        std::function<void(int column, int row, const QString &text, CellStyle &style)>;

    explicit MonthCalendar(QWidget *parent = nullptr);

    QDate date() const { return m_date; }
    int year() const { return m_date.year(); }
    int month() const { return m_date.month(); }
    int day() const { return m_date.day(); }

    // The element setters ignore a value below 1, a month above 12, a day
    // beyond the shown month and the value already set. A date that cannot
    // be built (30 April has no 31st, 2023 no 29 February, no year after
    // 9999) throws Error("Invalid argument to date encode") and the chosen
    // date stays.
    void setYear(int year);
    void setMonth(int month);
    void setDay(int day);
    // Same refusal for an invalid date; the date already set changes nothing.
    void setDate(const QDate &date);

    void setCellPainter(CellPainter painter);

    QString cellText(int column, int row) const;
    QRect cellRect(int column, int row) const;

    QSize sizeHint() const override;

Q_SIGNALS:
    // After every change of the chosen date, however made.
    void dateChanged(const QDate &date);
    void doubleClicked();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    // The day number shown in a cell; 0 for the title row and empty cells.
    int dayAt(int column, int row) const;
    void change(const QDate &date);

    QDate m_date;
    CellPainter m_painter;
};

} // namespace velmora
