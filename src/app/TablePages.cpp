#include "app/Fmenu.h"

#include "deadlines/DeadlineEditor.h"
#include "deadlines/DeadlinePage.h"
#include "messages/UsersPage.h"
#include "tables/AnnualPage.h"
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

    annuals = new AnnualPage(*m_dm, p_sca_ann);
    fill(p_sca_ann, annuals);
    closesWindow(annuals->BitBtn17);
    // The deadline page shows what a generation stored.
    connect(annuals, &AnnualPage::deadlinesStored, m_deadlines, &DeadlinePage::refreshLists);

    users = new UsersPage(*m_dm, p_pc);
    fill(p_pc, users);
    closesWindow(users->BitBtn13);
    // The editor offers the directory as it is now.
    connect(users, &TablePage::changed, this, [this] { m_deadlines->editor->fillLists(users->names(), {}); });
}

void Tfrm_menu::openHolidays()
{
    if (holidays->open())
        showPage(p_feste);
}

void Tfrm_menu::openUsers()
{
    if (users->open())
        showPage(p_pc);
}

void Tfrm_menu::openAnnuals()
{
    if (annuals->open())
        showPage(p_sca_ann);
}

} // namespace velmora
