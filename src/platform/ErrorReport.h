#pragma once

#include <exception>
#include <stdexcept>
#include <utility>

namespace velmora {

// Shows the text of an error that no handler caught in the error box.
void reportError(const std::exception &e);

// Runs f; an exception it throws ends the event and reaches the error box
// instead of unwinding through Qt. Every event and tick enters through here.
template <class F>
void guarded(F &&f) noexcept
{
    try {
        std::forward<F>(f)();
    } catch (const std::exception &e) {
        reportError(e);
    } catch (...) {
        reportError(std::runtime_error("Errore sconosciuto"));
    }
}

// A slot for connect(): calls obj->member(args...) through guarded().
template <class Obj, class... Args>
auto guardedSlot(Obj *obj, void (Obj::*member)(Args...))
{
    return [obj, member](Args... args) { guarded([&] { (obj->*member)(args...); }); };
}

} // namespace velmora
