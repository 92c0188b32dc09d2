#include "widgets/FieldLabel.h"

#include <QLabel>

namespace velmora {

QLabel *fieldLabel(const QString &text, QWidget *field)
{
    auto *label = new QLabel(text, field->parentWidget());
    label->setBuddy(field);
    return label;
}

} // namespace velmora
