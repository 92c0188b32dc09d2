#pragma once

#include "report/Layout.h"

namespace velmora::lists {

// The computed cells: the institution header of each list, "Visionata"
// of the deadlines, "Mese" of the holidays and annual deadlines.
inline const QString deadlineHeader = QStringLiteral("q_ente0");
inline const QString holidayHeader = QStringLiteral("q_ente1");
inline const QString annualHeader = QStringLiteral("q_ente2");
inline const QString seenCell = QStringLiteral("q_visionata");
inline const QString monthCell = QStringLiteral("q_mese");

report::Layout deadlineLayout();   // sta_scad
report::Layout holidayLayout();    // sta_feste
report::Layout annualLayout();     // sta_sca_ann

} // namespace velmora::lists
