#pragma once

#include "deadlines/PageLinks.h"

#include <QWidget>

class QGroupBox;
class QLabel;
class QToolButton;

namespace velmora {

class CalendarPanel;
class DataGrid;
class DayList;
class DeadlineEditor;
class SearchPanel;
class Tdm;

// The page "Gestione scadenze": calendar, editor and menu button on the
// left; the day list, the search and the general list on the right.
class DeadlinePage : public QWidget, private PageLinks {
    Q_OBJECT
public:
    explicit DeadlinePage(Tdm &dm, QWidget *parent = nullptr);

    // At each showing of the main window: the editor's time on the current
    // minute, the calendar's year and month on the current ones.
    void presetFields();
    // Then the addressee and address lists from the directory and settings,
    // once connected.
    void loadChoices();
    // "Gestione scadenze": offers to mark the past deadlines as seen and
    // loads the lists. False when the page is not to be shown.
    bool open();
    // Its lists, the calendar's marks and the nearest unseen deadline, read
    // afresh without asking anything.
    void load();
    // The grids and the calendar after another window reopened the lists.
    void refreshLists();
    // After the page is shown: the calendar takes the focus.
    void focusCalendar();

    CalendarPanel *calendar;
    DeadlineEditor *editor;
    DayList *days;
    SearchPanel *search;
    QGroupBox *GroupBox9;
    DataGrid *dbg_scad;
    QToolButton *sbt_menu;
    QLabel *Image1;

Q_SIGNALS:
    // The texts of status panels 2 (row count) and 3 (nearest unseen deadline).
    void countShown(const QString &text);
    void nearestShown(const QString &text);

private:
    void rereadLists() override;
    void showGeneralRow() override;
    void repaintCalendar() override;
    void showNearest();
    void dayRowClicked();

    Tdm &m_dm;
};

} // namespace velmora
