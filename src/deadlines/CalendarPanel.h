#pragma once

#include <QWidget>

#include <bitset>

class QComboBox;
class QGroupBox;
class QLabel;
class QSpinBox;
class QToolButton;

namespace velmora {

class DayList;
class MonthCalendar;
class Tdm;

// The top of the left column: month and year, "Vai ad oggi", the chosen
// day's name and holiday, the month calendar with its marks, the legend.
class CalendarPanel : public QWidget {
    Q_OBJECT
public:
    CalendarPanel(Tdm &dm, DayList &days, QWidget *parent = nullptr);

    // The year field on the current year, the month list on the calendar's month.
    void showYear(int year);
    void goToToday();
    // The long form of a day, as the page heads it: "giovedì  10  dicembre  2026".
    static QString longDate(const QDate &day);

    QWidget *Panel1;
    QComboBox *cmb_mese;
    QSpinBox *edt_anno;
    QToolButton *SpeedButton1;
    QLabel *lbl_oggi;
    QLabel *pnl_festa;
    MonthCalendar *calendario;
    QGroupBox *GroupBox6;

Q_SIGNALS:
    // A double click on the calendar: the chosen day for the editor.
    void dayPicked(const QDate &day);

private:
    void monthChosen(int index);
    void yearChanged(int year);
    void dateChanged(const QDate &day);
    // The days of the shown month and year that carry a deadline or a holiday.
    void findMarks();
    // Puts the month list and the year field back on the calendar's date.
    void followCalendar();

    Tdm &m_dm;
    DayList &m_days;
    std::bitset<32> m_deadlineDays;
    std::bitset<32> m_holidays;
};

} // namespace velmora
