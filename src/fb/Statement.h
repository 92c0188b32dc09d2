#pragma once

#include <QString>

namespace velmora::fb {

class Transaction;

// A statement without result, run in its own transaction.
class Statement {
public:
    explicit Statement(Transaction &tr) : m_tr(tr) {}

    void setText(const QString &sql) { m_text = sql; }
    const QString &text() const { return m_text; }
    // The transaction must have been started.
    void execute();
    Transaction &transaction() const { return m_tr; }

private:
    Transaction &m_tr;
    QString m_text;
};

} // namespace velmora::fb
