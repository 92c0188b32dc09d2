#include "fb/Statement.h"

#include "fb/Attachment.h"
#include "fb/Error.h"
#include "fb/Transaction.h"

namespace velmora::fb {

void Statement::execute()
{
    if (!m_tr.active())
        throw Error(QStringLiteral("Transazione non attiva"), {});
    m_tr.attachment().execute(m_tr, m_text);
}

} // namespace velmora::fb
