#pragma once

#include "MaskedEdit.h"

#include <QDate>

namespace velmora {

// The date field: mask 99/99/9999, read and written dd/MM/yyyy.
class MaskedDateEdit : public MaskedEdit {
    Q_OBJECT
public:
    explicit MaskedDateEdit(QWidget *parent = nullptr);

    // An invalid date blanks the field.
    void setDate(const QDate &date);
    // Invalid when the field is blank or does not read as a date.
    QDate date() const;

protected:
    bool isValidText(const QString &text) const override;
};

} // namespace velmora
