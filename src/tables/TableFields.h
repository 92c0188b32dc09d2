#pragma once

#include <QString>

class QComboBox;
class QGridLayout;
class QPushButton;
class QWidget;

namespace velmora {

// A drop-down list that takes no typing, items "1" to last, fifteen shown
// when open, none chosen.
QComboBox *numberList(QWidget *parent, const char *name, int last);

// The chosen item as a number; 0 when none is chosen.
int chosenNumber(const QComboBox &list);

// A push button with its caption and object name.
QPushButton *namedButton(QWidget *parent, const char *name, const QString &caption);

// A label above its field in the given cell: the label names the field
// for screen readers too.
void addLabelled(QGridLayout &grid, int row, int column, const QString &label, QWidget *field,
                 int columnSpan = 1);

} // namespace velmora
