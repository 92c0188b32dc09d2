#include "db/Fdm.h"

#include "db/ConnectionString.h"
#include "db/Sql.h"
#include "db/Texts.h"
#include "fb/Error.h"

#include <QFileInfo>
#include <QCursor>
#include <QGuiApplication>

namespace velmora {

namespace {

// The busy pointer for as long as a result set opens.
class BusyCursor {
public:
    explicit BusyCursor(bool show) : m_show(show && qobject_cast<QGuiApplication *>(QCoreApplication::instance()))
    {
        if (m_show)
            QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
    }
    ~BusyCursor()
    {
        if (m_show)
            QGuiApplication::restoreOverrideCursor();
    }
    BusyCursor(const BusyCursor &) = delete;
    BusyCursor &operator=(const BusyCursor &) = delete;

private:
    bool m_show;
};

} // namespace

NotConnected::NotConnected(const QString &cause, QList<long> codes) : fb::Error(cause, std::move(codes))
{
}

QString NotConnected::boxText() const
{
    return notConnectedWarning(text());
}

Tdm::~Tdm()
{
    try {
        disconnect();
    } catch (const fb::Error &) {
        // Ending anyway: the members give their handles back.
    }
}

fb::Login Tdm::login()
{
    const QString user = qEnvironmentVariable("ISC_USER");
    const QString password = qEnvironmentVariable("ISC_PASSWORD");
    return {user.isEmpty() ? QStringLiteral("SYSDBA") : user,
            password.isEmpty() ? QStringLiteral("quillfern") : password};
}

void Tdm::connect()
{
    if (db.connected())
        return;
    const ConnectionString cs = ConnectionString::parse(databaseName);
    try {
        db.attach(databaseName, login());
    } catch (const fb::Error &e) {
        if (!e.networkError() || !cs.isLoopback() || !QFileInfo::exists(cs.path))
            throw;
        db.attach(cs.path, login(), true);
    }
}

void Tdm::disconnect()
{
    if (!db.connected())
        return;
    for (fb::Transaction *t : {&tr_blocca3, &tr_blocca2, &tr_blocca, &tr_query})
        if (t->active())
            t->rollback();
    if (tr.active())
        tr.commit();
    db.detach();
}

void Tdm::guard(const std::function<void()> &step)
{
    if (!db.connected())
        throw NotConnected(QStringLiteral("Database non connesso"));
    try {
        step();
    } catch (const fb::Error &e) {
        if (!e.connectionLost())
            throw;
        letGo();
        throw NotConnected(e.text(), e.codes());
    }
}

// The server knows nothing more of these handles: they are only given back.
void Tdm::letGo()
{
    for (fb::Transaction *t : {&tr_blocca3, &tr_blocca2, &tr_blocca, &tr_query, &tr})
        t->abandon();
    db.abandon();
    if (connectionLost)
        connectionLost();
}

void Tdm::ping()
{
    guard([this] { db.ping(); });
}

void Tdm::open(fb::ResultSet &set, const QString &sql)
{
    const BusyCursor busy(&set != &t_sca_timer && &set != &t_sms);
    guard([&] { set.open(tr, sql); });
}

void Tdm::reopen(fb::ResultSet &set)
{
    open(set, set.sql());
}

void Tdm::rereadDeadlines()
{
    for (fb::ResultSet *set : {&t_sca, &t_sca_gg, &t_sca_timer})
        if (!set->sql().trimmed().isEmpty())
            reopen(*set);
}

void Tdm::run(const QString &sql)
{
    guard([&] {
        tr_query.start();
        query.setText(sql);
        query.execute();
        tr_query.commit();
    });
}

bool Tdm::blocca(const QString &lockStatement, qint64 id)
{
    try {
        guard([&] {
            q_blocca.setText(lockStatement + QString::number(id));
            tr_blocca.start();
            q_blocca.execute();
        });
        return true;
    } catch (const NotConnected &) {
        throw;   // not another workstation's lock: the not-connected warning
    } catch (const fb::Error &) {
        return false;
    }
}

void Tdm::sblocca(const QString &slot)
{
    fb::Transaction *t = slot == QLatin1String("1")   ? &tr_blocca
                         : slot == QLatin1String("2") ? &tr_blocca2
                         : slot == QLatin1String("3") ? &tr_blocca3
                                                      : nullptr;
    if (!t || !t->active())
        return;
    try {
        t->rollback();
    } catch (const fb::Error &e) {
        // The slot is free all the same: a lost connection took the row lock
        // with it. The loss is taken up as anywhere else.
        if (e.connectionLost())
            letGo();
    }
}

QString Tdm::pcFilter() const
{
    return QStringLiteral("(pc='tutti' OR pc='") + testo_sql(pc) + QStringLiteral("')");
}

} // namespace velmora
