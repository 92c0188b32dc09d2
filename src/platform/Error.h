#pragma once

#include <QString>
#include <stdexcept>

namespace velmora {

// The program's own failures: the text is what the error box shows.
class Error : public std::runtime_error {
public:
    explicit Error(const QString &text) : std::runtime_error(text.toStdString()) {}
    QString text() const { return QString::fromUtf8(what()); }
};

} // namespace velmora
