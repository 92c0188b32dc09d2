#include "messages/Fsms.h"

namespace velmora {

Tfrm_sms::Tfrm_sms(QWidget *parent) : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("frm_sms"));
}

} // namespace velmora
