#include "app/Fmenu.h"

#include "db/Fdm.h"
#include "db/Maintenance.h"
#include "db/Setup.h"
#include "deadlines/DeadlinePage.h"
#include "platform/Clock.h"
#include "platform/Dialogs.h"
#include "platform/Error.h"
#include "platform/SharedFolder.h"
#include "widgets/ProgressWindow.h"

#include <QAction>
#include <QDir>
#include <QScopeGuard>

namespace velmora {

// The window with the service's lines while it works; the runner gives
// false when the program was asked to quit meanwhile. The tray's menu is
// drawn by the desktop, out of reach of the window's modality: while a
// service runs, its entries cannot start another one, nor close the program
// by the menu (the session's end still ends it).
maintenance::Runner Tfrm_menu::serviceRunner(const QString &title)
{
    return [this, title](const maintenance::Job &job) {
        QAction *services = menuEntry("v_servizi");
        QAction *closing = menuEntry("Chiudiappluicazione1");
        services->setEnabled(false);
        closing->setEnabled(false);
        const auto enabled = qScopeGuard([services, closing] {
            services->setEnabled(true);
            closing->setEnabled(true);
        });
        ProgressWindow window(title, this);
        return window.run(job);
    };
}

// The copy is named after today; a second copy of the same day replaces it.
void Tfrm_menu::copia()
{
    Dialogs &d = dialogs();
    if (!d.question(QStringLiteral("Avviare la copia del database?")))
        return;
    const QString file = QDir(setup::backupFolder()).filePath(maintenance::copyName(now().date()));
    try {
        makeSharedFolder(setup::backupFolder());
        if (!maintenance::copy(*m_dm, setup::databaseFile(), file, serviceRunner(QStringLiteral("Copia del database"))))
            return;
    } catch (const Error &e) {
        d.error(QStringLiteral("Copia non effettuata!\n") + e.text());
        return;
    }
    d.information(QStringLiteral("Copia effettuata!"));
}

// The program ends after a restore; a restore that fails leaves the
// database as it was and the program working on it.
void Tfrm_menu::ripristino()
{
    Dialogs &d = dialogs();
    if (!d.question(QStringLiteral("Avviare il ripristino del database?"))
        || !d.question(QStringLiteral("Confermare ripristino?")))
        return;
    const QString file = d.openFile(QStringLiteral("Ripristino"), od_copia.folder, od_copia.filter);
    if (file.isEmpty())
        return;
    hide();
    const bool polling = timer_sms.isActive();
    const bool scanning = Timer_scad.isActive();
    timer_sms.stop();
    Timer_scad.stop();
    // However the restore fails, the workstation goes on with the database
    // it had; not when the program is ending.
    auto goOn = qScopeGuard([this, polling, scanning] { resumeAfterRestore(polling, scanning); });
    bool restored = false;
    try {
        // A connection lost meanwhile fails here: nothing is restored.
        m_dm->disconnect();
        restored = maintenance::restore(*m_dm, file, setup::databaseFile(),
                                        serviceRunner(QStringLiteral("Ripristino del database")));
    } catch (const Error &e) {
        d.error(QStringLiteral("Ripristino non effettuato!\n") + e.text());
        return;
    }
    goOn.dismiss();
    if (!restored)
        return;
    d.information(QStringLiteral("Ripristino effettuato... Riavviare il programma!"));
    closeForGood();
}

// A workstation that cannot connect again is one that lost its connection:
// it keeps trying by itself.
void Tfrm_menu::resumeAfterRestore(bool polling, bool scanning)
{
    try {
        m_dm->connect();
        // A connection lost before the restore is still held: found here.
        m_dm->ping();
        if (polling)
            timer_sms.start();
        if (scanning)
            Timer_scad.start();
    } catch (const std::exception &) {
        connectionLost();
    }
    showIfNoTray();
}

void Tfrm_menu::eliminaScadenzeData()
{
    Dialogs &d = dialogs();
    if (!d.question(QStringLiteral("Confermare operazione?")))
        return;
    std::optional<QDate> limit;
    if (d.question(QStringLiteral("Cliccare su \"SI\" per indicare la data limite di svuotamento\n"
                                  "Cliccare su \"NO\" per svuotare tutte le scadenze"))) {
        const std::optional<QString> typed =
            d.input(QStringLiteral("Indicare data"),
                    QStringLiteral("Svuotare le scadenze precedenti a data:\n"
                                   "(N.B. la data deve essere nel formato \"gg/mm/aaaa\")"),
                    QString());
        if (!typed || typed->isEmpty())
            return;
        limit = maintenance::typedDate(*typed);
        if (!limit) {
            d.warning(QStringLiteral("Data non corretta... Ripetere operazione!"));
            return;
        }
    }
    if (!d.question(QStringLiteral("Continuando tutte le scadenze indicate verranno SVUOTATE?\n"
                                   "Confermare operazione?")))
        return;
    maintenance::purgeBefore(*m_dm, limit);
    m_deadlines->refreshLists();
}

void Tfrm_menu::eliminaScadenzeParola()
{
    Dialogs &d = dialogs();
    if (!d.question(QStringLiteral("Confermare operazione?")))
        return;
    const QString word = d.input(QStringLiteral("Indicare Parola"),
                                 QStringLiteral("Eliminare le scadenze che contengono la parola:"), QString())
                             .value_or(QString());
    if (word.isEmpty()) {
        d.information(QStringLiteral("Indicare la parola della scadenza da eliminare!"));
        return;
    }
    if (!d.question(QStringLiteral("Continuando tutte le scadenze che contengono la parola \"") + word
                    + QStringLiteral("\" verranno ELIMINATE?\nConfermare operazione?")))
        return;
    maintenance::purgeWord(*m_dm, word);
    m_deadlines->refreshLists();
}

} // namespace velmora
