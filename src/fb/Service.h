#pragma once

#include "fb/Attachment.h"

#include <QString>
#include <QStringList>

#include <atomic>
#include <functional>

namespace velmora::fb {

// Where a service manager is reached: a server ("host", "host/port"), or
// with an empty host the engine inside the client, in this process.
struct ServiceSite {
    QString host;
    // When the server does not answer, the engine inside the client takes
    // over: a workstation without a server still has its services.
    bool embeddedWhenNoServer = false;
};

// One backup or restore through the service manager, run to its end: the
// verbose output is read line by line, each read bounded, and a failure of
// the service itself comes back as fb::Error with the service's own lines.
class Service {
public:
    enum class Action { Backup, Restore };

    explicit Service(Action action) : m_action(action) {}

    QString DatabaseName;   // the database file, a path on the site
    QString BackupFile;     // the copy file, a path on the site

    // Attaches, starts, reads every line (handed to onLine as it comes),
    // detaches. Returns the lines read. Throws fb::Error when the service
    // cannot be reached or started, when it fails (its error lines in the
    // text), when it stays silent longer than silenceSeconds, or when stop
    // is set (checked at least once a second).
    QStringList run(const ServiceSite &site, const Login &login,
                    const std::function<void(const QString &)> &onLine, const std::atomic<bool> &stop,
                    int silenceSeconds = 600) const;

private:
    Action m_action;
};

} // namespace velmora::fb
