#include "fb/Attachment.h"

#include "fb/Client.h"
#include "fb/DeadPeer.h"
#include "fb/Error.h"
#include "fb/Transaction.h"

namespace velmora::fb {

namespace {

QByteArray dpb(const Login &login, bool embeddedOnly, bool creating)
{
    return call([&](Firebird::ThrowStatusWrapper *st) {
        const Owned<Firebird::IXpbBuilder> b(util()->getXpbBuilder(st, Firebird::IXpbBuilder::DPB, nullptr, 0));
        b->insertString(st, isc_dpb_user_name, login.user.toUtf8().constData());
        b->insertString(st, isc_dpb_password, login.password.toUtf8().constData());
        b->insertInt(st, isc_dpb_sql_dialect, 3);
        b->insertString(st, isc_dpb_lc_ctype, "UTF8");
        b->insertInt(st, isc_dpb_connect_timeout, connectTimeoutSeconds);
        if (creating)
            b->insertString(st, isc_dpb_set_db_charset, "UTF8");
        if (embeddedOnly)
            b->insertString(st, isc_dpb_config, "Providers=Engine12");
        QByteArray out(reinterpret_cast<const char *>(b->getBuffer(st)),
                       static_cast<int>(b->getBufferLength(st)));
        return out;
    });
}

} // namespace

Attachment::~Attachment()
{
    if (!m_att)
        return;
    try {
        detach();
    } catch (const Error &) {
        // A destructor cannot report; the handle is given back all the same.
        m_att->release();
    }
}

void Attachment::attach(const QString &connection, const Login &login, bool embeddedOnly)
{
    const QByteArray params = dpb(login, embeddedOnly, false);
    m_att = call([&](Firebird::ThrowStatusWrapper *st) {
        return master()->getDispatcher()->attachDatabase(
            st, bytes(connection).constData(), static_cast<unsigned>(params.size()),
            reinterpret_cast<const unsigned char *>(params.constData()));
    });
    boundDeadPeer(connection);
}

void Attachment::create(const QString &connection, const Login &login, bool embeddedOnly)
{
    const QByteArray params = dpb(login, embeddedOnly, true);
    m_att = call([&](Firebird::ThrowStatusWrapper *st) {
        return master()->getDispatcher()->createDatabase(
            st, bytes(connection).constData(), static_cast<unsigned>(params.size()),
            reinterpret_cast<const unsigned char *>(params.constData()));
    });
}

void Attachment::detach()
{
    if (!m_att)
        return;
    call([&](Firebird::ThrowStatusWrapper *st) { m_att->detach(st); });
    m_att = nullptr;
}

void Attachment::abandon()
{
    if (!m_att)
        return;
    m_att->release();
    m_att = nullptr;
}

void Attachment::ping()
{
    if (!m_att)
        throw Error(QStringLiteral("Database non connesso"), {});
    call([&](Firebird::ThrowStatusWrapper *st) { m_att->ping(st); });
}

void Attachment::execute(Transaction &tr, const QString &sql)
{
    const QByteArray text = bytes(sql);
    call([&](Firebird::ThrowStatusWrapper *st) {
        m_att->execute(st, tr.handle(), 0, text.constData(), 3, nullptr, nullptr, nullptr, nullptr);
    });
}

} // namespace velmora::fb
