#include "app/Fmenu.h"

#include "app/Pictures.h"
#include "app/SessionEnd.h"
#include "app/TrayMenu.h"
#include "db/Fdm.h"
#include "alarms/Fmsg.h"
#include "alarms/Scan.h"
#include "alarms/SettingsPage.h"
#include "alarms/Sounds.h"
#include "messages/Fsms.h"
#include "messages/MessagePoll.h"
#include "messages/Messages.h"
#include "deadlines/DeadlinePage.h"
#include "institution/InstitutionPage.h"
#include "institution/PrintedLists.h"
#include "widgets/PopupNotice.h"
#include "platform/Clock.h"
#include "platform/ErrorReport.h"
#include "platform/QuitRequest.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QLocale>
#include <QMenu>
#include <QScreen>
#include <QStatusBar>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

namespace velmora {

namespace {

// Room for the deadline page, the largest, on a 1366 by 768 desktop with its
// panel and the window's title bar (the most common office laptop).
const QSize windowSize(1010, 680);
constexpr int connectMs = 1500;
constexpr int pollMs = 10000;

} // namespace

Tfrm_menu::Tfrm_menu()
    : QWidget(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                           | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint),
      pgc_menu(new QTabWidget(this)),
      StatusBar1(new QStatusBar(this)),
      icona(new QSystemTrayIcon(pictures::trayIcon(), this)),
      pop_menu(new QMenu(this)),
      m_inTray(QSystemTrayIcon::isSystemTrayAvailable())
{
    setObjectName(QStringLiteral("frm_menu"));
    setWindowTitle(QStringLiteral("VELMORA (Versione 2.3)"));
    setWindowIcon(pictures::trayIcon());

    pgc_menu->setObjectName(QStringLiteral("pgc_menu"));
    buildPages();
    buildStatusBar();
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 0);
    layout->addWidget(pgc_menu);
    layout->addWidget(StatusBar1);
    setFixedSize(windowSize);
    move(QGuiApplication::primaryScreen()->availableGeometry().center() - rect().center());

    icona->setObjectName(QStringLiteral("icona"));
    pop_menu->setObjectName(QStringLiteral("pop_menu"));
    buildTrayMenu(*pop_menu);
    wireMenu();
    connect(icona, &QSystemTrayIcon::activated, this, guardedSlot(this, &Tfrm_menu::iconActivated));
    if (m_inTray)
        icona->show();

    timer_connetti.setObjectName(QStringLiteral("timer_connetti"));
    timer_connetti.setInterval(connectMs);
    connect(&timer_connetti, &QTimer::timeout, this, guardedSlot(this, &Tfrm_menu::connectTick));
    Timer_scad.setObjectName(QStringLiteral("Timer_scad"));
    timer_sms.setObjectName(QStringLiteral("timer_sms"));
    timer_sms.setInterval(pollMs);
    timer_watch.setObjectName(QStringLiteral("timer_watch"));
    timer_watch.setInterval(watchMs);
    // Silent: a lost connection is taken up by connectionLost().
    connect(&timer_watch, &QTimer::timeout, this, [this] {
        try {
            m_dm->ping();
        } catch (const std::exception &) {
        }
    });

    // A main window begins a run: nothing has asked it to end yet.
    QuitRequest::instance().clear();
    connect(new SessionEnd(this), &SessionEnd::ending, this, guardedSlot(this, &Tfrm_menu::closeForGood));

    guarded([this] { setUpConnection(); });
}

Tfrm_menu::~Tfrm_menu() = default;

void Tfrm_menu::setDataModule(Tdm *dm)
{
    m_dm = dm;
    m_dm->connectionLost = [this] { connectionLost(); };
    buildDeadlinePage();
    buildSettingsPage();
    buildTablePages();
    buildInstitutionPage();
    buildPrintedLists();
    HTMLPopup1 = new PopupNotice(this);
    HTMLPopup1->setObjectName(QStringLiteral("HTMLPopup1"));
    m_scan = std::make_unique<DeadlineScan>(*m_dm, m_settings->statusmemo(), *HTMLPopup1,
                                            [this](Tfrm_msg &window) { watchAlarm(window); });
    connect(&Timer_scad, &MinuteTimer::minute, this,
            [this](const QDateTime &minute) { guarded([&] { m_scan->tick(minute); }); });
    m_poll = std::make_unique<MessagePoll>(*m_dm, timer_sms, messageSound());
    connect(&timer_sms, &QTimer::timeout, this, guardedSlot(m_poll.get(), &MessagePoll::tick));
}

void Tfrm_menu::setMessageWindow(Tfrm_sms *window)
{
    m_sms = window;
    onEntry("Inviomessaggi1", &Tfrm_menu::sendMessage);
}

void Tfrm_menu::sendMessage()
{
    m_sms->openFromMenu();
}

void Tfrm_menu::emptyMessages()
{
    messages::emptyAll(*m_dm);
}

// The alarm window reopens the deadline lists: the page shows them anew.
void Tfrm_menu::watchAlarm(Tfrm_msg &window)
{
    connect(&window, &Tfrm_msg::listsReloaded, m_deadlines, &DeadlinePage::refreshLists);
}

void Tfrm_menu::enteGestore()
{
    if (m_institution->open())
        showPage(p_ente);
}

// The "Stampe" entries open only the preview, never the main window.
void Tfrm_menu::elencoScadenze()
{
    m_lists->printReloaded(PrintedLists::List::Deadlines);
}

void Tfrm_menu::elencoFestivita()
{
    m_lists->printReloaded(PrintedLists::List::Holidays);
}

void Tfrm_menu::elencoScadenzeAnnuali()
{
    m_lists->printReloaded(PrintedLists::List::Annuals);
}

void Tfrm_menu::configureMail()
{
    if (m_settings->open())
        showPage(p_parametri);
}

QAction *Tfrm_menu::menuEntry(const char *name) const
{
    return pop_menu->findChild<QAction *>(QLatin1String(name));
}

void Tfrm_menu::onEntry(const char *name, void (Tfrm_menu::*handler)())
{
    QAction *entry = menuEntry(name);
    entry->setEnabled(true);
    connect(entry, &QAction::triggered, this, guardedSlot(this, handler));
}

void Tfrm_menu::wireMenu()
{
    onEntry("v_scad", &Tfrm_menu::gestioneScadenze);
    onEntry("ConfigurainvioEmail1", &Tfrm_menu::configureMail);
    onEntry("Entegestore1", &Tfrm_menu::enteGestore);
    onEntry("Elencoscadenze1", &Tfrm_menu::elencoScadenze);
    onEntry("Elencofestivit1", &Tfrm_menu::elencoFestivita);
    onEntry("Elencoscadenzeannuali1", &Tfrm_menu::elencoScadenzeAnnuali);
    onEntry("Attivapartenzaautomaticaallavviodiwindows1", &Tfrm_menu::autostartOn);
    onEntry("Disattiva1", &Tfrm_menu::autostartOff);
    onEntry("VisualizzaindirizzoIPenomePC1", &Tfrm_menu::showAddress);
    onEntry("ModificaconnesionealServer1", &Tfrm_menu::changeConnection);
    onEntry("aIUTO1", &Tfrm_menu::openHelp);
    onEntry("Svuotamessaggi1", &Tfrm_menu::emptyMessages);
    onEntry("Chiudiappluicazione1", &Tfrm_menu::closeApplication);
    onEntry("Festivit1", &Tfrm_menu::openHolidays);
    onEntry("Scadenzeannuali1", &Tfrm_menu::openAnnuals);
    onEntry("UtentiPC1", &Tfrm_menu::openUsers);
    onEntry("Copia1", &Tfrm_menu::copia);
    onEntry("Ripristino1", &Tfrm_menu::ripristino);
    onEntry("Eliminatuttelescadenze1", &Tfrm_menu::eliminaScadenzeData);
    onEntry("Eliminascadenzechecontengonolaparola1", &Tfrm_menu::eliminaScadenzeParola);
}

void Tfrm_menu::selectPage(QWidget *page)
{
    for (int i = 0; i < pgc_menu->count(); ++i)
        pgc_menu->setTabVisible(i, pgc_menu->widget(i) == page);
    pgc_menu->setCurrentWidget(page);
}

void Tfrm_menu::showPage(QWidget *page)
{
    selectPage(page);
    showWindow();
}

void Tfrm_menu::showWindow()
{
    // A failure is reported and the window shows all the same.
    if (!isVisible() || isMinimized())
        guarded([this] { prepareShowing(); });
    showNormal();
    raise();
    activateWindow();
}

void Tfrm_menu::prepareShowing()
{
    // Times are always formatted "hh.mm" here: there is no separator to set.
    if (m_deadlines)
        m_deadlines->presetFields();
    m_closingFlag = QStringLiteral("N");
    // Three hours ahead of the clock: from 21.00 on it names the next day.
    const QString today = QLocale(QLocale::Italian, QLocale::Italy)
                              .toString(now().addSecs(3 * 3600), QStringLiteral("dddd  d  MMMM  yyyy"));
    lbl_oggi->setText(today);
    StatusBar1_panels[1]->setText(QStringLiteral("OGGI: ") + today);
    // While the first connection is being made there is nothing to read yet,
    // and nothing to report: the connection fills the window on screen.
    if (m_deadlines && !firstConnectionPending()) {
        m_deadlines->loadChoices();
        // The settings page filled its addresses just before being shown:
        // emptying them here would let "Salva" store none.
        if (pgc_menu->currentWidget() != p_parametri)
            m_settings->clearAddresses();
    }
}

bool Tfrm_menu::firstConnectionPending() const
{
    return timer_connetti.isActive() && !m_reconnecting;
}

void Tfrm_menu::showIfNoTray()
{
    if (!m_inTray)
        showWindow();
}

// Minimised rather than hidden where no icon could bring it back.
void Tfrm_menu::putAway()
{
    if (m_inTray)
        hide();
    else
        showMinimized();
}

void Tfrm_menu::closeEvent(QCloseEvent *event)
{
    guarded([&] {
        if (m_closingFlag != QLatin1String("S")) {
            event->ignore();
            putAway();
            return;
        }
        event->accept();
        // Every wait in progress gives up before the server is told goodbye.
        QuitRequest::instance().request();
        // The program ends even when the server went away meanwhile, or when
        // the client library already shut its attachments on SIGTERM: a box
        // here would hold up the end of the session.
        // The session may end before the data module exists (first-start questions).
        try {
            if (m_dm)
                m_dm->disconnect();
        } catch (const std::exception &) {
        }
        endProgram();
    });
}

void Tfrm_menu::closeForGood()
{
    m_closingFlag = QStringLiteral("S");
    close();
}

void Tfrm_menu::endProgram()
{
    // Every wait in progress (a sound, a mail, a box) gives up first.
    QuitRequest::instance().request();
    m_programEnded = true;
    Q_EMIT endRequested();
}

void Tfrm_menu::openMenuAtButton()
{
    const QRect button = sbt_menu->geometry();
    pop_menu->popup(sbt_menu->parentWidget()->mapToGlobal(
        QPoint(button.left() + 5, button.top() + button.height() + 25)));
}

void Tfrm_menu::iconActivated(QSystemTrayIcon::ActivationReason reason)
{
    // A right click opens the attached menu by itself; before that it does
    // what a left click does then: nothing.
    if (reason == QSystemTrayIcon::Trigger && m_menuAttached && m_dm && m_dm->connected())
        gestioneScadenze();
}

void Tfrm_menu::gestioneScadenze()
{
    if (!m_deadlines->open())
        return;
    showPage(p_scadenze);
    m_deadlines->focusCalendar();
}

} // namespace velmora
