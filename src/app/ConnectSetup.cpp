#include "app/Fmenu.h"

#include "db/Setup.h"
#include "db/Sql.h"
#include "platform/Dialogs.h"
#include "platform/ErrorReport.h"
#include "platform/SharedFolder.h"

#include <QFileInfo>
#include <QMenu>

namespace velmora {

// Where the database is, prepared while the window is created. The drive
// root is read afresh by every path, and times are always formatted "hh.mm":
// neither needs setting here.
void Tfrm_menu::setUpConnection()
{
    icona->setToolTip(QStringLiteral("Connessione in corso..."));

    if (!QFileInfo::exists(setup::connectionFile())) {
        const QString server = setup::askServer();
        if (server.isEmpty()) {
            endProgram();
            return;
        }
        setup::writeConnection(setup::connectionStringFor(server));
    }
    // The server workstation makes its database on its first start. When the
    // system refuses, the box says why and the workstation stays without a
    // connection, its menu in place.
    bool made = false;
    guarded([&] {
        setup::createDatabaseIfMissing(setup::readConnection(), ip_locale());
        made = true;
    });

    // Copy, restore and purge are offered only where the database file is.
    const bool databaseHere = QFileInfo::exists(setup::databaseFile());
    menuEntry("v_servizi")->setVisible(databaseHere);
    // A folder the system refuses is told now; a copy would fail on it too.
    if (databaseHere)
        guarded([] { makeSharedFolder(setup::backupFolder()); });
    od_copia.folder = setup::backupFolder();
    if (!made) {
        attachMenu();
        return;
    }

    m_retries = 0;
    timer_connetti.start();
}

// The new connection is used from the next start on.
void Tfrm_menu::changeConnection()
{
    Dialogs &d = dialogs();
    if (!d.question(QStringLiteral("Proseguire per il cambio connessione?")))
        return;
    const QString name = setup::typedServer(QStringLiteral("Indirizzo IP non indicato!"));
    if (name.isEmpty())
        return;
    setup::writeConnection(setup::connectionStringFor(name));
    d.warning(QStringLiteral("Connessione cambiata... Riavviare il programma!"));
    endProgram();
}

} // namespace velmora
