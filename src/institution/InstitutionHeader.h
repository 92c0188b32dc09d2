#pragma once

#include <QString>

namespace velmora {

class Tdm;

// The heading of the printed lists, read anew from the row of ente: name,
// dedication and code on one line, then address, town, province, telephone
// and e-mail; without the code the address follows the name on one line.
// Empty parts go with their separators; no row gives an empty text.
QString institutionHeader(Tdm &dm);

} // namespace velmora
