#include "app/Fmenu.h"

#include "deadlines/DeadlinePage.h"
#include "tables/HolidayPage.h"

#include <QPushButton>
#include <QVBoxLayout>

namespace velmora {

namespace {

void fill(QWidget *page, QWidget *content)
{
    auto *layout = new QVBoxLayout(page);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(content);
}

} // namespace

// The pages need the data module: they come with setDataModule().
void Tfrm_menu::buildTablePages()
{
    holidays = new HolidayPage(*m_dm, p_feste);
    fill(p_feste, holidays);
    closesWindow(holidays->BitBtn6);
    // The calendar marks the holidays as they are now.
    connect(holidays, &TablePage::changed, m_deadlines, &DeadlinePage::refreshLists);
}

void Tfrm_menu::openHolidays()
{
    if (holidays->open())
        showPage(p_feste);
}

} // namespace velmora
