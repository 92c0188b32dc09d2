#include "app/Startup.h"

#include "alarms/Sounds.h"
#include "app/SessionEnd.h"
#include "app/Splash.h"
#include "db/Sql.h"
#include "platform/Dialogs.h"
#include "platform/ErrorReport.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>

namespace velmora {

Startup::Startup() : m_instance(QCoreApplication::applicationFilePath())
{
    if (m_qtTexts.load(QLocale(QLocale::Italian, QLocale::Italy), QStringLiteral("qtbase"), QStringLiteral("_"),
                       QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(&m_qtTexts);
    // The program lives in the notification area: closing a window is not the end.
    QApplication::setQuitOnLastWindowClosed(false);
}

bool Startup::prepare()
{
    if (m_instance.anotherRunning()) {
        // This copy never reaches its event loop: SIGTERM ends it as usual.
        SessionEnd::releaseTerminate();
        dialogs().plain(QStringLiteral("Software già attivo fra le icone in basso a destra vicino all'orologio"));
        return false;
    }
    showSplash();
    // Without them the alarms still sound, with the desktop's beep.
    guarded([] { installSounds(); });

    frm_menu.emplace();
    dm.emplace();
    dm->pc = ip_locale();
    frm_msg.emplace(*dm);
    frm_sms.emplace(*dm, [this] { return frm_menu->workstationUser(); });

    frm_menu->setDataModule(&*dm);
    frm_menu->setMessageWindow(&*frm_sms);
    QObject::connect(&m_instance, &SingleInstance::raiseRequested, &*frm_menu,
                     guardedSlot(&*frm_menu, &Tfrm_menu::showWindow));
    return true;
}

int Startup::exec()
{
    if (frm_menu->programEnded())
        return 0;
    // exit(), not quit(): quitting asks the main window to close, which only hides it.
    QObject::connect(&*frm_menu, &Tfrm_menu::endRequested, qApp, [] { guarded([] { QCoreApplication::exit(0); }); });
    frm_menu->showIfNoTray();
    return QApplication::exec();
}

int Startup::run()
{
    return prepare() ? exec() : 0;
}

} // namespace velmora
