#pragma once

#include <QObject>
#include <QString>

class QLocalServer;

namespace velmora {

// One running copy per program file. The name is the program's path with
// every path separator removed, so copies in other folders do not meet (a
// name too long for a local socket path is replaced by its hash).
class SingleInstance : public QObject {
    Q_OBJECT
public:
    explicit SingleInstance(const QString &programPath, QObject *parent = nullptr);
    ~SingleInstance() override;

    static QString nameFor(const QString &programPath);

    // True when another copy runs: it has been asked to come forward.
    // Otherwise this copy registers itself (a stale name left by a crashed
    // copy is cleared) and false is returned. Throws Error with the
    // system's text when this copy can neither meet another nor register.
    bool anotherRunning();

Q_SIGNALS:
    // Another copy asked this one to come forward.
    void raiseRequested();

private:
    QString m_identity; // nameFor() the program path
    QString m_path;     // the socket's full path in the runtime folder
    QLocalServer *m_server = nullptr;
};

} // namespace velmora
