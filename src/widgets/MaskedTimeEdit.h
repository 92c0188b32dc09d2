#pragma once

#include "MaskedEdit.h"

#include <QTime>

namespace velmora {

// The time field: mask 99.99, read and written hh.mm (the program's time text).
class MaskedTimeEdit : public MaskedEdit {
    Q_OBJECT
public:
    explicit MaskedTimeEdit(QWidget *parent = nullptr);

    // An invalid time blanks the field.
    void setTime(const QTime &time);
    // Invalid when the field is blank or does not read as a time.
    QTime time() const;

protected:
    bool isValidText(const QString &text) const override;
};

} // namespace velmora
