#include "tables/TableFields.h"

#include "widgets/FieldLabel.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

namespace velmora {

QComboBox *numberList(QWidget *parent, const char *name, int last)
{
    auto *list = new QComboBox(parent);
    list->setObjectName(QLatin1String(name));
    list->setEditable(false);
    list->setMaxVisibleItems(15);
    for (int i = 1; i <= last; ++i)
        list->addItem(QString::number(i));
    list->setCurrentIndex(-1);
    return list;
}

int chosenNumber(const QComboBox &list)
{
    return list.currentIndex() + 1;
}

QPushButton *namedButton(QWidget *parent, const char *name, const QString &caption)
{
    auto *b = new QPushButton(caption, parent);
    b->setObjectName(QLatin1String(name));
    return b;
}

void addLabelled(QGridLayout &grid, int row, int column, const QString &label, QWidget *field, int columnSpan)
{
    grid.addWidget(fieldLabel(label, field), row, column, 1, columnSpan);
    grid.addWidget(field, row + 1, column, 1, columnSpan);
}

} // namespace velmora
