#include "app/Fmenu.h"

#include "alarms/Scan.h"
#include "db/ConnectionString.h"
#include "db/DatabaseFailure.h"
#include "db/Fdm.h"
#include "db/Setup.h"
#include "db/Statements.h"
#include "db/Upgrade.h"
#include "deadlines/DeadlinePage.h"
#include "fb/Error.h"
#include "platform/Autostart.h"
#include "platform/Dialogs.h"
#include "platform/ErrorReport.h"
#include "platform/QuitRequest.h"

#include <QCoreApplication>
#include <QTabWidget>

namespace velmora {

namespace {

constexpr int lastRetry = 20;

} // namespace

void Tfrm_menu::connectTick()
{
    // A slow host-name lookup may hold the data module back past the first
    // tick: the next one connects. Once the program is told to end, no new
    // attempt holds it up.
    if (!m_dm || quitRequested())
        return;
    Tdm &dm = *m_dm;
    dm.databaseName = setup::readConnection();
    try {
        dm.connect();
        upgradeOnConnect(dm);
        attachMenu();
        const QDateTime checked = m_scan->startupCheck();
        dm.open(dm.t_sca_timer, sql::generalList(dm));
        dm.open(dm.t_sms, QStringLiteral("select * from messaggi"));
        m_workstationUser = setup::workstationUser(dm);
        startTimers(checked);
        timer_connetti.stop();
        m_reconnecting = false;
        // Connected all the same when the page cannot be filled: the error report tells.
        guarded([this] { fillShowingPage(); });
        // A value already there, even one switched off, stays as it is.
        if (!autostart::value())
            autostart::write(QCoreApplication::applicationFilePath());
    } catch (const std::exception &e) {
        // Permissions or a full disk do not mend by themselves: say so once,
        // and stay without a connection.
        const auto *fbError = dynamic_cast<const fb::Error *>(&e);
        if (fbError && fbError->systemFailure() && !dm.connected()) {
            timer_connetti.stop();
            attachMenu();
            dialogs().error(databaseOpenFailure(ConnectionString::parse(dm.databaseName).path, *fbError));
            return;
        }
        // Silent: the workstation keeps trying, then stays without a
        // connection; one that was connected tries until it gets through.
        if (!m_reconnecting && m_retries == lastRetry) {
            timer_connetti.stop();
            attachMenu();
        } else if (!m_reconnecting) {
            ++m_retries;
        }
    }
    // Not guarded: a failure here goes to the error report.
    if (dm.connected())
        upgradeAfterConnect(dm);
}

// The scan takes over from the minute after the start-up check's: a minute
// that begins in between is scanned, none twice.
void Tfrm_menu::startTimers(const QDateTime &checked)
{
    Timer_scad.start(checked);
    timer_sms.start();
    timer_watch.start();
}

// A window already on screen (no notification area) shows its lists as soon
// as there is something to read.
void Tfrm_menu::fillShowingPage()
{
    if (!isVisible())
        return;
    m_deadlines->loadChoices();
    if (pgc_menu->currentWidget() == p_scadenze)
        m_deadlines->load();
}

void Tfrm_menu::connectionLost()
{
    Timer_scad.stop();
    timer_sms.stop();
    timer_watch.stop();
    icona->setToolTip(QStringLiteral("Velmora - Database non connesso: riconnessione in corso..."));
    m_reconnecting = true;
    timer_connetti.start(reconnectMs);
}

void Tfrm_menu::attachMenu()
{
    icona->setContextMenu(pop_menu);
    icona->setToolTip(QStringLiteral("Velmora - Gestione scadenze"));
    m_menuAttached = true;
}

} // namespace velmora
