#pragma once

#include "fb/Attachment.h"
#include "fb/Error.h"
#include "fb/ResultSet.h"
#include "fb/Service.h"
#include "fb/Statement.h"
#include "fb/Transaction.h"

#include <QString>

#include <functional>

namespace velmora {

// The data module cannot reach the database: it was never connected, or the
// connection was lost. Pages tell it with the not-connected warning followed
// by text(); the general error report does the same.
class NotConnected : public fb::Error {
public:
    explicit NotConnected(const QString &cause, QList<long> codes = {});
    bool isWarning() const override { return true; }
    QString boxText() const override;
};

// The data module: the one connection of the workstation, its transactions,
// a result set for each list, the statement for every change and the lock
// slots. Every page reads and writes through it.
//
// Not a QObject: the shared transaction is called tr, which QObject::tr
// would shadow.
class Tdm {
public:
    Tdm() = default;
    ~Tdm();
    Tdm(const Tdm &) = delete;
    Tdm &operator=(const Tdm &) = delete;

    // This workstation's key, as the pc columns name it.
    QString pc;

    fb::Attachment db;
    QString databaseName;                 // the connection string

    fb::Transaction tr{db};               // shared by every result set
    fb::Transaction tr_query{db};
    fb::Statement query{tr_query};
    fb::Transaction tr_blocca{db};
    fb::Statement q_blocca{tr_blocca};
    fb::Transaction tr_blocca2{db};
    fb::Statement q_blocca2{tr_blocca2};
    fb::Transaction tr_blocca3{db};
    fb::Statement q_blocca3{tr_blocca3};

    fb::ResultSet t_sca, t_sca_gg, t_sca_timer, t_fes, t_ann, t_pc, t_sms, t_par, t_ente;

    // Copy and restore of the database file, by the server of this workstation.
    fb::Service BackupService1{fb::Service::Action::Backup};
    fb::Service RestoreService1{fb::Service::Action::Restore};

    // Attaches to databaseName. A workstation whose connection names
    // localhost opens its own file through the embedded engine when no
    // server answers.
    void connect();
    // Ends the transactions (result sets' reads are kept as they are) and detaches.
    void disconnect();
    bool connected() const { return db.connected(); }

    // Called once each time the connection turns out to be lost (a network
    // error, the server or the database shut down), after the data module
    // has let go of it: the main window reconnects. open(), reopen(), run()
    // and ping() then throw NotConnected, as they do while not connected.
    std::function<void()> connectionLost;
    // One round trip to the server, to notice a lost connection between reads.
    void ping();

    // Opens a result set with a statement; the busy pointer shows meanwhile,
    // except for the sets the timers reopen.
    void open(fb::ResultSet &set, const QString &sql);
    void reopen(fb::ResultSet &set);
    // The lists that show deadlines (the general list, the day list, the
    // calendar's), each with the statement it last had, once it has one.
    void rereadDeadlines();

    // Runs one change statement in tr_query and commits it. On failure
    // nothing is committed, tr_query stays active and the next change's
    // commit ends it.
    void run(const QString &sql);

    // Holds a row in lock slot 1 with the given lock statement and id.
    // False when another workstation holds it (or the lock cannot be taken).
    bool blocca(const QString &lockStatement, qint64 id);
    // Releases lock slot "1", "2" or "3"; anything else does nothing.
    void sblocca(const QString &slot);

    // "(pc='tutti' OR pc='<key>')": this workstation's deadlines.
    QString pcFilter() const;

    // The login: SYSDBA / quillfern, unless ISC_USER / ISC_PASSWORD say otherwise.
    static fb::Login login();

private:
    // Runs one database step; a lost connection is let go and reported.
    void guard(const std::function<void()> &step);
    void letGo();
};

} // namespace velmora
