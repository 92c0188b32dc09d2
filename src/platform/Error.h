#pragma once

#include <QString>
#include <stdexcept>

namespace velmora {

// The program's own failures: the text is what the error box shows.
class Error : public std::runtime_error {
public:
    explicit Error(const QString &text) : std::runtime_error(text.toStdString()) {}
    QString text() const { return QString::fromUtf8(what()); }
    // A failure that is no fault of the program (the server went away) is
    // told in a warning box, in words of its own.
    virtual bool isWarning() const { return false; }
    virtual QString boxText() const { return text(); }
};

} // namespace velmora
