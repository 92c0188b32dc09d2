#pragma once

#include <QGroupBox>

namespace velmora {

class DataGrid;
class Tdm;

// The deadlines of one day, in the group at the top of the right column.
class DayList : public QGroupBox {
    Q_OBJECT
public:
    explicit DayList(Tdm &dm, QWidget *parent = nullptr);

    // "ELENCO SCADENZE DI GIORNO " and the day.
    void setCaption(const QDate &day);
    // The deadlines of the calendar's chosen day.
    void showDay(const QDate &day);
    // Today's deadlines, as the page opens; the caption names today.
    void showToday(const QDate &today);
    // Rereads the list with the statement it holds, once it has one.
    void reread();
    void refresh();

    DataGrid *SMDBGrid1;

Q_SIGNALS:
    // A row was clicked, and the list stands on it.
    void rowClicked();

private:
    Tdm &m_dm;
};

} // namespace velmora
