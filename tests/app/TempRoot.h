#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

namespace velmora::test {

// A drive root and a session configuration of their own for one test:
// VELMORA_ROOT and XDG_CONFIG_HOME point into a temporary folder while it
// lives, and come back as they were after.
class TempRoot {
public:
    TempRoot();
    ~TempRoot();
    TempRoot(const TempRoot &) = delete;
    TempRoot &operator=(const TempRoot &) = delete;

    // Ends with '/', as the program's drive root does.
    QString root() const;
    QString configHome() const;
    // Writes Velmora/Sys/velmora.cnt with exactly this content.
    void writeConnectionFile(const QByteArray &content) const;
    // Everything in the connection file; empty when there is none.
    QByteArray connectionFile() const;
    // Lets the server on loopback, another user, reach the program's
    // folders and work in Database and Backup.
    void shareWithServer() const;
    // Points VELMORA_ROOT or XDG_CONFIG_HOME below a regular file, where no
    // folder can be made.
    void blockRoot() const;
    void blockConfigHome() const;

private:
    struct SavedVariable {
        const char *name;
        bool wasSet;
        QByteArray value;
    };
    static SavedVariable save(const char *name);
    static void restore(const SavedVariable &saved);
    QString blockedPath() const;

    QTemporaryDir m_dir;
    SavedVariable m_root;
    SavedVariable m_config;
};

} // namespace velmora::test
