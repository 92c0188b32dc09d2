#pragma once

#include "alarms/Fmsg.h"
#include "app/Fmenu.h"
#include "db/Fdm.h"
#include "messages/Fsms.h"
#include "platform/SingleInstance.h"

#include <QTranslator>

#include <optional>

namespace velmora {

// The program's run: one copy per program file, the splash screen, the
// windows and the data module in their order, the event loop.
class Startup {
public:
    // Needs the QApplication; puts Qt's own texts in Italian.
    Startup();

    // Everything up to the event loop. False when another copy runs: it was
    // asked to come forward, the refusal was shown and nothing was created.
    bool prepare();
    // The event loop; it ends at once when the set-up already ended the program.
    int exec();
    // prepare() then exec().
    int run();

    // Created in this order by prepare(), destroyed in the reverse one.
    std::optional<Tfrm_menu> frm_menu;
    std::optional<Tdm> dm;
    std::optional<Tfrm_msg> frm_msg;
    std::optional<Tfrm_sms> frm_sms;

private:
    QTranslator m_qtTexts;
    SingleInstance m_instance;
};

} // namespace velmora
