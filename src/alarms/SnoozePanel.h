#pragma once

#include <QFrame>

class QComboBox;
class QRadioButton;
class QToolButton;

namespace velmora {

// "Riproponi fra:": how long, in which unit, and the confirm button.
class SnoozePanel : public QFrame {
    Q_OBJECT
public:
    explicit SnoozePanel(QWidget *parent = nullptr);

    QComboBox *cmb_ggmin;
    QRadioButton *rdb_gg;
    QRadioButton *rdb_ore;
    QRadioButton *rdb_min;
    QToolButton *SpeedButton1;
};

} // namespace velmora
