#include "app/Fmenu.h"

#include "alarms/SettingsPage.h"
#include "app/Pictures.h"
#include "deadlines/CalendarPanel.h"
#include "deadlines/DeadlineEditor.h"
#include "deadlines/DeadlinePage.h"
#include "deadlines/SearchPanel.h"
#include "institution/InstitutionPage.h"
#include "institution/PrintedLists.h"
#include "platform/ErrorReport.h"
#include "tables/AnnualPage.h"
#include "tables/HolidayPage.h"
#include "widgets/DataGrid.h"

#include <QLabel>
#include <QPushButton>
#include <QStatusBar>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

namespace velmora {

namespace {

const QSize image1Size(148, 145);
constexpr std::array<int, 3> fixedPanelWidths = {8, 260, 180};

} // namespace

QWidget *Tfrm_menu::addPage(const char *name, const QString &caption)
{
    auto *page = new QWidget(pgc_menu);
    page->setObjectName(QLatin1String(name));
    pgc_menu->addTab(page, caption);
    return page;
}

// Closing the window, which by the closing rule hides it.
void Tfrm_menu::closesWindow(QPushButton *button)
{
    connect(button, &QPushButton::clicked, this, [this] { guarded([this] { close(); }); });
}

void Tfrm_menu::buildPages()
{
    buildScadenzePage();
    p_feste = addPage("p_feste", QStringLiteral("Festività"));
    p_ente = addPage("p_ente", QStringLiteral("Ente gestore"));
    p_pc = addPage("p_pc", QStringLiteral("Utenti (Client)"));
    p_sca_ann = addPage("p_sca_ann", QStringLiteral("Scadenze annuali"));
    p_parametri = addPage("p_parametri", QStringLiteral("Parametri"));
    p_stampe = addPage("p_stampe", QStringLiteral("p_stampe"));
    selectPage(p_scadenze);
}

// The page's content needs the data module: it comes with setDataModule().
void Tfrm_menu::buildScadenzePage()
{
    p_scadenze = addPage("p_scadenze", QStringLiteral("Gestione scadenze"));
}

void Tfrm_menu::buildDeadlinePage()
{
    m_deadlines = new DeadlinePage(*m_dm, p_scadenze);
    auto *layout = new QVBoxLayout(p_scadenze);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_deadlines);

    lbl_oggi = m_deadlines->calendar->lbl_oggi;
    sbt_menu = m_deadlines->sbt_menu;
    Image1 = m_deadlines->Image1;
    Image1->setPixmap(pictures::logo(image1Size.width()));
    connect(sbt_menu, &QToolButton::clicked, this, guardedSlot(this, &Tfrm_menu::openMenuAtButton));
    connect(sbt_menu, &QToolButton::customContextMenuRequested, this,
            guardedSlot(this, &Tfrm_menu::openMenuAtButton));
    closesWindow(m_deadlines->editor->BitBtn9);
    connect(m_deadlines, &DeadlinePage::countShown, StatusBar1_panels[2], &QLabel::setText);
    connect(m_deadlines, &DeadlinePage::nearestShown, StatusBar1_panels[3], &QLabel::setText);
}

void Tfrm_menu::buildSettingsPage()
{
    m_settings = new SettingsPage(*m_dm, p_parametri);
    auto *layout = new QVBoxLayout(p_parametri);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_settings);
    closesWindow(m_settings->BitBtn8);
}

void Tfrm_menu::buildInstitutionPage()
{
    m_institution = new InstitutionPage(*m_dm, p_ente);
    auto *layout = new QVBoxLayout(p_ente);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_institution);
    closesWindow(m_institution->BitBtn5);
}

void Tfrm_menu::buildPrintedLists()
{
    m_lists = new PrintedLists(*m_dm, this);
    const auto printsWith = [this](QPushButton *button, PrintedLists::List list) {
        button->setEnabled(true);
        connect(button, &QPushButton::clicked, this, [this, list] { guarded([this, list] { m_lists->print(list); }); });
    };
    printsWith(m_deadlines->search->bbt_sta_scad, PrintedLists::List::Deadlines);
    printsWith(holidays->bbt_sta_fest, PrintedLists::List::Holidays);
    printsWith(annuals->bbt_sta_ann, PrintedLists::List::Annuals);
    // A list read anew from the menu shows anew where the program shows it;
    // the calendar marks the holidays too.
    connect(m_lists, &PrintedLists::reloaded, this, [this](PrintedLists::List list) {
        if (list == PrintedLists::List::Holidays)
            holidays->refresh();
        if (list == PrintedLists::List::Annuals)
            annuals->refresh();
        else
            m_deadlines->refreshLists();
    });
}

void Tfrm_menu::buildStatusBar()
{
    StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
    StatusBar1->setSizeGripEnabled(false);
    StatusBar1->setStyleSheet(QStringLiteral("QLabel { color: blue; font-weight: bold; }"));
    for (std::size_t i = 0; i < StatusBar1_panels.size(); ++i) {
        auto *panel = new QLabel(StatusBar1);
        panel->setObjectName(QStringLiteral("StatusBar1_%1").arg(i));
        const bool fixed = i < fixedPanelWidths.size();
        if (fixed)
            panel->setFixedWidth(fixedPanelWidths[i]);
        StatusBar1->addWidget(panel, fixed ? 0 : 1);
        StatusBar1_panels[i] = panel;
    }
}

} // namespace velmora
