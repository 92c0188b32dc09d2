#include "alarms/Fmsg.h"

namespace velmora {

Tfrm_msg::Tfrm_msg(QWidget *parent) : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("frm_msg"));
}

} // namespace velmora
