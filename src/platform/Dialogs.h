#pragma once

#include <QString>
#include <optional>

namespace velmora {

// Every box the program shows goes through this seam, so that tests can
// script the answers and read back exactly what a user would have seen.
class Dialogs {
public:
    virtual ~Dialogs() = default;

    virtual bool question(const QString &text) = 0;           // true on Yes
    virtual void warning(const QString &text) = 0;
    virtual void information(const QString &text) = 0;
    virtual void error(const QString &text) = 0;
    virtual void plain(const QString &text) = 0;              // no icon, one OK button
    // std::nullopt when the user cancels.
    virtual std::optional<QString> input(const QString &title, const QString &prompt,
                                         const QString &initial) = 0;
    // Empty when the user cancels.
    virtual QString openFile(const QString &title, const QString &folder,
                             const QString &filter) = 0;
};

// The installed seam; the Qt boxes unless a test installed its own.
Dialogs &dialogs();
// Installs a replacement (not owned); nullptr puts the Qt boxes back.
void setDialogs(Dialogs *replacement);

} // namespace velmora
