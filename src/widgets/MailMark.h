#pragma once

#include <QPixmap>

namespace velmora {

// The mail mark of the deadline grids: a 13 by 10 envelope on a transparent ground.
QPixmap mailMark();

} // namespace velmora
