#pragma once

#include <QString>

namespace velmora {

// The database file held against every Firebird engine of this computer,
// the server's and those inside programs: each opens a database file under
// an exclusive flock, so while this holds the file no engine has it open and
// none can open it. A file that is not there holds nothing.
class HeldDatabase {
public:
    // Throws Error when an engine has the file open, or it cannot be read.
    explicit HeldDatabase(const QString &file);
    ~HeldDatabase();
    HeldDatabase(const HeldDatabase &) = delete;
    HeldDatabase &operator=(const HeldDatabase &) = delete;

    // Throws as the constructor does, and holds nothing.
    static void ensureFree(const QString &file);

    // Puts replacement in the file's place in one step, shared as the file
    // was; until then the file stays as it is. Throws Error when the system
    // refuses.
    void replaceWith(const QString &replacement);

private:
    QString m_file;
    int m_fd = -1;
};

} // namespace velmora
