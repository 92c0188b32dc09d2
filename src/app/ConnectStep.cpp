#include "app/Fmenu.h"

#include "alarms/Scan.h"
#include "db/ConnectionString.h"
#include "db/DatabaseFailure.h"
#include "db/Fdm.h"
#include "db/Setup.h"
#include "db/Statements.h"
#include "db/Upgrade.h"
#include "fb/Error.h"
#include "platform/Autostart.h"
#include "platform/Dialogs.h"

#include <QCoreApplication>

namespace velmora {

namespace {

constexpr int lastRetry = 20;

} // namespace

void Tfrm_menu::connectTick()
{
    Tdm &dm = *m_dm;
    dm.databaseName = setup::readConnection();
    try {
        dm.connect();
        upgradeOnConnect(dm);
        attachMenu();
        m_scan->startupCheck();
        dm.open(dm.t_sca_timer, sql::generalList(dm));
        dm.open(dm.t_sms, QStringLiteral("select * from messaggi"));
        m_workstationUser = setup::workstationUser(dm);
        Timer_scad.start();
        timer_sms.start();
        timer_connetti.stop();
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
        // Silent: the workstation keeps trying, then stays without a connection.
        if (m_retries == lastRetry) {
            timer_connetti.stop();
            attachMenu();
        } else {
            ++m_retries;
        }
    }
    // Not guarded: a failure here goes to the error report.
    if (dm.connected())
        upgradeAfterConnect(dm);
}

void Tfrm_menu::attachMenu()
{
    icona->setContextMenu(pop_menu);
    icona->setToolTip(QStringLiteral("Velmora - Gestione scadenze"));
    m_menuAttached = true;
}

} // namespace velmora
