#include "MaskedTimeEdit.h"

namespace velmora {

namespace {
const QString format = QStringLiteral("hh.mm");
}

MaskedTimeEdit::MaskedTimeEdit(QWidget *parent)
    : MaskedEdit(QStringLiteral("99.99"), QStringLiteral("ora valida"), parent)
{
}

void MaskedTimeEdit::setTime(const QTime &time)
{
    if (time.isValid())
        setText(time.toString(format));
    else
        clear();
}

QTime MaskedTimeEdit::time() const
{
    return QTime::fromString(text(), format);
}

bool MaskedTimeEdit::isValidText(const QString &text) const
{
    return QTime::fromString(text, format).isValid();
}

} // namespace velmora
