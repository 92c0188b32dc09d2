#include "platform/QuitRequest.h"

#include <csignal>

namespace velmora {

QuitRequest &QuitRequest::instance()
{
    static QuitRequest request;
    return request;
}

bool QuitRequest::requested() const
{
    sigset_t pending;
    sigemptyset(&pending);
    return m_requested || (::sigpending(&pending) == 0 && sigismember(&pending, SIGTERM) == 1);
}

void QuitRequest::request()
{
    if (m_requested)
        return;
    m_requested = true;
    Q_EMIT raised();
}

} // namespace velmora
