#include "alarms/SnoozePanel.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

namespace velmora {

namespace {

QRadioButton *unit(const QString &name, const QString &caption, QWidget *parent)
{
    auto *button = new QRadioButton(caption, parent);
    button->setObjectName(name);
    return button;
}

} // namespace

SnoozePanel::SnoozePanel(QWidget *parent) : QFrame(parent)
{
    setObjectName(QStringLiteral("pnl_riproponi"));
    setFrameShape(QFrame::StyledPanel);

    auto *caption = new QLabel(QStringLiteral("Riproponi fra:"), this);
    cmb_ggmin = new QComboBox(this);
    cmb_ggmin->setObjectName(QStringLiteral("cmb_ggmin"));
    cmb_ggmin->setEditable(true);
    // What the user types is a count, not a new choice of the list.
    cmb_ggmin->setInsertPolicy(QComboBox::NoInsert);
    for (int n = 1; n <= 30; ++n)
        cmb_ggmin->addItem(QString::number(n));
    cmb_ggmin->setMaxVisibleItems(15);
    cmb_ggmin->setCurrentIndex(-1);
    cmb_ggmin->lineEdit()->setMaxLength(3);
    // Keys other than digits (and backspace) do nothing.
    cmb_ggmin->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), cmb_ggmin));
    cmb_ggmin->setFixedWidth(cmb_ggmin->fontMetrics().horizontalAdvance(QStringLiteral("0000")) + 30);

    rdb_gg = unit(QStringLiteral("rdb_gg"), QStringLiteral("Giorni"), this);
    rdb_gg->setChecked(true);
    rdb_ore = unit(QStringLiteral("rdb_ore"), QStringLiteral("Ore"), this);
    rdb_min = unit(QStringLiteral("rdb_min"), QStringLiteral("Minuti"), this);

    SpeedButton1 = new QToolButton(this);
    SpeedButton1->setObjectName(QStringLiteral("SpeedButton1"));
    SpeedButton1->setIcon(style()->standardIcon(QStyle::SP_DialogApplyButton));
    SpeedButton1->setAutoRaise(true);
    SpeedButton1->setToolTip(QStringLiteral("Conferma"));
    SpeedButton1->setAccessibleName(SpeedButton1->toolTip());
    caption->setBuddy(cmb_ggmin);

    auto *howLong = new QHBoxLayout;
    howLong->addWidget(caption);
    howLong->addWidget(cmb_ggmin);
    howLong->addStretch();
    // The confirmation comes last, for the eye as for the tab key.
    auto *units = new QHBoxLayout;
    units->addWidget(rdb_gg);
    units->addWidget(rdb_ore);
    units->addWidget(rdb_min);
    units->addStretch();
    units->addWidget(SpeedButton1);
    auto *rows = new QVBoxLayout(this);
    rows->setContentsMargins(4, 2, 4, 2);
    rows->addLayout(howLong);
    rows->addLayout(units);
}

} // namespace velmora
