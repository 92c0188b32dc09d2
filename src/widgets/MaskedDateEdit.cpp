#include "MaskedDateEdit.h"

namespace velmora {

namespace {
const QString format = QStringLiteral("dd/MM/yyyy");
}

MaskedDateEdit::MaskedDateEdit(QWidget *parent)
    : MaskedEdit(QStringLiteral("99/99/9999"), QStringLiteral("data valida"), parent)
{
}

void MaskedDateEdit::setDate(const QDate &date)
{
    if (date.isValid())
        setText(date.toString(format));
    else
        clear();
}

QDate MaskedDateEdit::date() const
{
    return QDate::fromString(text(), format);
}

bool MaskedDateEdit::isValidText(const QString &text) const
{
    return QDate::fromString(text, format).isValid();
}

} // namespace velmora
