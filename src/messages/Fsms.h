#pragma once

#include <QWidget>

namespace velmora {

// The window for sending a message to another workstation; hidden until
// its menu entry shows it.
class Tfrm_sms : public QWidget {
    Q_OBJECT
public:
    explicit Tfrm_sms(QWidget *parent = nullptr);
};

} // namespace velmora
