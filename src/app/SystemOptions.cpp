#include "app/Fmenu.h"

#include "db/Fdm.h"
#include "platform/Autostart.h"
#include "platform/Dialogs.h"
#include "platform/HelpDocument.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QUrl>

namespace velmora {

void Tfrm_menu::closeApplication()
{
    if (dialogs().question(QStringLiteral("Proseguendo verrà chiusa l'applicazione e non sarà più operativa "
                                          "fino al prossimo riavvio... Confermare?")))
        closeForGood();
}

void Tfrm_menu::autostartOn()
{
    setAutostart(QStringLiteral("Confermi ATTIVAZIONE?"), QCoreApplication::applicationFilePath());
}

// The entry stays, naming a file that does not exist: the session starts nothing.
void Tfrm_menu::autostartOff()
{
    setAutostart(QStringLiteral("Confermi DISATTIVAZIONE?"),
                 QCoreApplication::applicationFilePath() + QLatin1Char('e'));
}

void Tfrm_menu::setAutostart(const QString &question, const QString &value)
{
    if (!dialogs().question(question))
        return;
    if (!autostart::write(value))
        dialogs().plain(QStringLiteral("Chiave di registro non trovata!"));
}

void Tfrm_menu::showAddress()
{
    dialogs().information(QStringLiteral("IP:  ") + m_dm->pc);
}

// A missing document, or one the desktop cannot open, is not reported.
void Tfrm_menu::openHelp()
{
    const QString help = helpDocument(QCoreApplication::applicationDirPath());
    if (!help.isEmpty())
        QDesktopServices::openUrl(QUrl::fromLocalFile(help));
}

} // namespace velmora
