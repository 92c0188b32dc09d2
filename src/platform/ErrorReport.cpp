#include "ErrorReport.h"

#include "Dialogs.h"
#include "Error.h"

#include <QString>

namespace velmora {

void reportError(const std::exception &e)
{
    if (const auto *own = dynamic_cast<const Error *>(&e); own && own->isWarning())
        dialogs().warning(own->boxText());
    else
        dialogs().error(QString::fromUtf8(e.what()));
}

} // namespace velmora
