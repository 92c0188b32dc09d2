#pragma once

#include <QObject>

namespace velmora {

// The program was asked to end (the session ends, SIGTERM, "Chiudi
// applicazione"). Every nested wait and every box gives up at once, so that
// nothing outlives the request.
class QuitRequest : public QObject {
    Q_OBJECT
public:
    static QuitRequest &instance();
    // Also true while a SIGTERM waits to be read by the event loop, so that
    // a wait that runs no event loop (a mail exchange) can give up too.
    bool requested() const;
    // Sets the request and tells every wait that listens.
    void request();
    // A new run in the same process (tests) starts without the request.
    void clear() { m_requested = false; }

Q_SIGNALS:
    void raised();

private:
    bool m_requested = false;
};

inline bool quitRequested()
{
    return QuitRequest::instance().requested();
}

} // namespace velmora
