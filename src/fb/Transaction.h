#pragma once

namespace Firebird {
class ITransaction;
}

namespace velmora::fb {

class Attachment;

// Read-write, read committed with record versions, no wait: readers never
// wait and a lock conflict fails at once instead of hanging.
class Transaction {
public:
    explicit Transaction(Attachment &att) : m_att(att) {}
    ~Transaction();
    Transaction(const Transaction &) = delete;
    Transaction &operator=(const Transaction &) = delete;

    void start();   // nothing when already active
    void commit();
    void rollback();
    // Gives the handle back without asking the server: its attachment is lost.
    void abandon();
    bool active() const { return m_tr != nullptr; }
    Firebird::ITransaction *handle() const { return m_tr; }
    Attachment &attachment() const { return m_att; }

private:
    Attachment &m_att;
    Firebird::ITransaction *m_tr = nullptr;
};

} // namespace velmora::fb
