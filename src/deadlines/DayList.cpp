#include "deadlines/DayList.h"

#include "db/Fdm.h"
#include "db/Statements.h"
#include "widgets/DataGrid.h"

#include <QVBoxLayout>

namespace velmora {

DayList::DayList(Tdm &dm, QWidget *parent)
    : QGroupBox(QStringLiteral("ELENCO SCADENZE DEL GIORNO SELEZIONATO"), parent), m_dm(dm)
{
    setObjectName(QStringLiteral("pnl_scad_gg"));
    setStyleSheet(QStringLiteral("QGroupBox#pnl_scad_gg { color: blue; font-weight: bold; }"));
    SMDBGrid1 = new DataGrid(this);
    SMDBGrid1->setObjectName(QStringLiteral("SMDBGrid1"));
    SMDBGrid1->setAccessibleName(title());
    SMDBGrid1->resultModel().setRowBackground(QColor(0xC4, 0xE3, 0xD6), ResultSetModel::Rows::All);
    SMDBGrid1->setResultSet(&m_dm.t_sca_gg);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(SMDBGrid1);
    connect(SMDBGrid1, &DataGrid::rowClicked, this, &DayList::rowClicked);
}

void DayList::setCaption(const QDate &day)
{
    setTitle(QStringLiteral("ELENCO SCADENZE DI GIORNO ") + sql::dateText(day));
    SMDBGrid1->setAccessibleName(title());
}

void DayList::showDay(const QDate &day)
{
    m_dm.open(m_dm.t_sca_gg, sql::dayList(m_dm, day));
    refresh();
}

void DayList::showToday(const QDate &today)
{
    m_dm.open(m_dm.t_sca_gg, sql::todayList(m_dm, today));
    refresh();
    setCaption(today);
}

void DayList::reread()
{
    if (m_dm.t_sca_gg.sql().isEmpty())
        return;
    m_dm.reopen(m_dm.t_sca_gg);
    refresh();
}

void DayList::refresh()
{
    SMDBGrid1->refresh();
}

} // namespace velmora
