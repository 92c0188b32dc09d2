#pragma once

#include <QString>

namespace velmora {

// The user guide that "Aiuto" opens, the first that exists of:
//   <root>/Velmora/Help.pdf                    the office's own,
//   <programFolder>/../share/velmora/Help.pdf  the one installed with the program,
//   <programFolder>/Help.pdf                   the one the build made beside it.
// Empty when there is none.
QString helpDocument(const QString &programFolder);

} // namespace velmora
