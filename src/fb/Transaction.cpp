#include "fb/Transaction.h"

#include "fb/Attachment.h"
#include "fb/Client.h"
#include "fb/Error.h"

namespace velmora::fb {

Transaction::~Transaction()
{
    if (!m_tr)
        return;
    try {
        rollback();
    } catch (const Error &) {
        // rollback() gave the handle back already.
    }
}

void Transaction::start()
{
    if (m_tr)
        return;
    if (!m_att.connected())
        throw Error(QStringLiteral("Database non connesso"), {});
    m_tr = call([&](Firebird::ThrowStatusWrapper *st) {
        const Owned<Firebird::IXpbBuilder> b(util()->getXpbBuilder(st, Firebird::IXpbBuilder::TPB, nullptr, 0));
        b->insertTag(st, isc_tpb_write);
        b->insertTag(st, isc_tpb_nowait);
        b->insertTag(st, isc_tpb_read_committed);
        b->insertTag(st, isc_tpb_rec_version);
        return m_att.handle()->startTransaction(st, b->getBufferLength(st), b->getBuffer(st));
    });
}

void Transaction::commit()
{
    if (!m_tr)
        return;
    call([&](Firebird::ThrowStatusWrapper *st) { m_tr->commit(st); });
    m_tr = nullptr;
}

void Transaction::rollback()
{
    if (!m_tr)
        return;
    try {
        call([&](Firebird::ThrowStatusWrapper *st) { m_tr->rollback(st); });
    } catch (const Error &) {
        // Its connection is gone, and what it held with it: the transaction is
        // dead and is no longer active, so that it can be started anew.
        m_tr->release();
        m_tr = nullptr;
        throw;
    }
    m_tr = nullptr;
}

void Transaction::abandon()
{
    if (!m_tr)
        return;
    m_tr->release();
    m_tr = nullptr;
}

} // namespace velmora::fb
