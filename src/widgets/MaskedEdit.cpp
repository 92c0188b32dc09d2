#include "MaskedEdit.h"

#include "FocusReason.h"

#include "platform/Error.h"
#include "platform/ErrorReport.h"

#include <QFocusEvent>
#include <QTimer>

namespace velmora {

MaskedEdit::MaskedEdit(const QString &mask, const QString &what, QWidget *parent)
    : QLineEdit(parent), m_what(what)
{
    setInputMask(mask + QStringLiteral("; "));
    m_blank = displayText();
}

void MaskedEdit::focusOutEvent(QFocusEvent *event)
{
    QLineEdit::focusOutEvent(event);
    if (!leftWithinWindow(event))
        return;
    // Refused once the focus change is over: a box shown in the middle of it
    // would run a modal loop inside Qt's focus handling.
    if (!acceptable())
        QTimer::singleShot(0, this, &MaskedEdit::refuse);
}

void MaskedEdit::refuse()
{
    if (acceptable())
        return;
    setFocus(Qt::OtherFocusReason);
    reportError(Error(QStringLiteral("\"%1\" non è un %2").arg(text(), m_what)));
}

} // namespace velmora
