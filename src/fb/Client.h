#pragma once

#include <firebird/Interface.h>

#include <QByteArray>
#include <QString>

#include <memory>

namespace velmora::fb {

Firebird::IMaster *master();
Firebird::IUtil *util();

// A status wrapper that throws fb::Error and gives its status back.
class Status {
public:
    Status();
    ~Status();
    Status(const Status &) = delete;
    Status &operator=(const Status &) = delete;

    Firebird::ThrowStatusWrapper *operator&() { return &m_wrapper; }

private:
    Firebird::ThrowStatusWrapper m_wrapper;
};

// Turns a Firebird exception into fb::Error.
[[noreturn]] void rethrow(const Firebird::FbException &e);

// Runs f(status); a Firebird exception becomes fb::Error.
template <class F>
auto call(F &&f)
{
    Status status;
    try {
        return f(&status);
    } catch (const Firebird::FbException &e) {
        rethrow(e);
    }
}

// Owns a Firebird object that is given back with dispose().
struct Disposer {
    template <class T>
    void operator()(T *p) const { p->dispose(); }
};
template <class T>
using Owned = std::unique_ptr<T, Disposer>;

// SQL and names travel to the server as UTF-8.
inline QByteArray bytes(const QString &text) { return text.toUtf8(); }

} // namespace velmora::fb
