#pragma once

#include "db/Fdm.h"

#include <QTemporaryDir>

#include <memory>

namespace velmora::test {

// A fresh database in a temporary folder, made by the program's own creation
// code and reached through the embedded engine.
class TempDatabase {
public:
    TempDatabase();

    QString file() const { return m_file; }
    QString folder() const { return m_dir.path(); }

    // A data module attached to this database as the workstation `key`.
    // The connection string defaults to the bare file (embedded).
    std::unique_ptr<Tdm> connect(const QString &key, const QString &connection = {}) const;

    // Lets the server on loopback, which runs as another user, open the
    // database and work in its folder.
    void shareWithServer() const;

    // Runs and commits statements through a short-lived attachment of its own.
    void exec(const QStringList &sql) const;

private:
    QTemporaryDir m_dir;
    QString m_file;
};

} // namespace velmora::test
