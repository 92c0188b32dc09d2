#include "ErrorReport.h"

#include "Dialogs.h"

#include <QString>

namespace velmora {

void reportError(const std::exception &e)
{
    dialogs().error(QString::fromUtf8(e.what()));
}

} // namespace velmora
