#include "app/TrayMenu.h"

#include <QHash>
#include <QMenu>

namespace velmora {

namespace {

struct Entry {
    const char *name;      // nullptr: a separator
    const char *caption;
    const char *submenu;   // the submenu that holds it; "" for the menu itself
    bool opensSubmenu;
};

constexpr Entry entries[] = {
    {"v_scad", "Gestione scadenze", "", false},
    {"Inviomessaggi1", "Invio messaggi", "", false},
    {nullptr, nullptr, "", false},
    {"abelle1", "Tabelle", "", true},
    {"UtentiPC1", "Utenti/PC", "abelle1", false},
    {"Scadenzeannuali1", "Scadenze annuali", "abelle1", false},
    {"Festivit1", "Festività", "abelle1", false},
    {"Entegestore1", "Ente gestore", "abelle1", false},
    {"Stampe1", "Stampe", "", true},
    {"Elencoscadenze1", "Elenco scadenze generali", "Stampe1", false},
    {"Elencofestivit1", "Elenco festività", "Stampe1", false},
    {"Elencoscadenzeannuali1", "Elenco scadenze annuali", "Stampe1", false},
    {"Opzioni1", "Parametri", "", true},
    {"ConfigurainvioEmail1", "Configura invio Email", "Opzioni1", false},
    {nullptr, nullptr, "Opzioni1", false},
    {"Attivapartenzaautomaticaallavviodiwindows1", "ATTIVA partenza automatica all'avvio di windows",
     "Opzioni1", false},
    {"Disattiva1", "DISATTIVA partenza automatica all'avvio di windows", "Opzioni1", false},
    {nullptr, nullptr, "Opzioni1", false},
    {"VisualizzaindirizzoIPenomePC1", "Visualizza indirizzo IP di questo computer", "Opzioni1", false},
    {"ModificaconnesionealServer1", "Modifica connesione al Server", "Opzioni1", false},
    {"v_servizi", "Servizi", "", true},
    {"Copia1", "Copia", "v_servizi", false},
    {"Ripristino1", "Ripristino", "v_servizi", false},
    {nullptr, nullptr, "v_servizi", false},
    {"Eliminatuttelescadenze1", "Elimina scadenze precedenti a data gg/mm/aaaa", "v_servizi", false},
    {"Eliminascadenzechecontengonolaparola1", "Elimina scadenze che contengono la parola...", "v_servizi",
     false},
    {"Svuotamessaggi1", "Elimina messaggi", "v_servizi", false},
    {nullptr, nullptr, "", false},
    {"aIUTO1", "Aiuto", "", false},
    {nullptr, nullptr, "", false},
    {"Chiudiappluicazione1", "Chiudi applicazione", "", false},
};

} // namespace

void buildTrayMenu(QMenu &menu)
{
    QHash<QString, QMenu *> menus{{QString(), &menu}};
    for (const Entry &e : entries) {
        QMenu *holder = menus.value(QLatin1String(e.submenu));
        if (!e.name) {
            holder->addSeparator();
            continue;
        }
        const QString name = QLatin1String(e.name);
        const QString caption = QString::fromUtf8(e.caption);
        if (e.opensSubmenu) {
            QMenu *submenu = holder->addMenu(caption);
            submenu->setObjectName(name);
            submenu->menuAction()->setObjectName(name);
            menus.insert(name, submenu);
            continue;
        }
        QAction *action = holder->addAction(caption);
        action->setObjectName(name);
        action->setEnabled(false);
    }
}

} // namespace velmora
