#pragma once

#include <QString>

class QLabel;
class QWidget;

namespace velmora {

// A label that also names its field for screen readers: the field is its
// buddy, and both share a parent, which Qt's accessibility needs.
QLabel *fieldLabel(const QString &text, QWidget *field);

} // namespace velmora
