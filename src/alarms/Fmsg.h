#pragma once

#include <QWidget>

namespace velmora {

// The alarm window: one instance per due deadline, plus the first one that
// start-up creates. It stays hidden until an alarm shows it.
class Tfrm_msg : public QWidget {
    Q_OBJECT
public:
    explicit Tfrm_msg(QWidget *parent = nullptr);
};

} // namespace velmora
