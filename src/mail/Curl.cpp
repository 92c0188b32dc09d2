#include "Curl.h"

#include "platform/Error.h"

namespace velmora::mail {

namespace {

// A function-local static is initialised once even with threads, which is
// what curl_global_init asks of its callers.
class CurlGlobal {
public:
    CurlGlobal() : m_code(curl_global_init(CURL_GLOBAL_DEFAULT)) {}
    ~CurlGlobal()
    {
        if (m_code == CURLE_OK)
            curl_global_cleanup();
    }
    CurlGlobal(const CurlGlobal &) = delete;
    CurlGlobal &operator=(const CurlGlobal &) = delete;

    CURLcode code() const { return m_code; }

private:
    CURLcode m_code;
};

} // namespace

CurlHandle newCurlHandle()
{
    static const CurlGlobal global;
    if (global.code() != CURLE_OK)
        throw Error(QString::fromUtf8(curl_easy_strerror(global.code())));
    CurlHandle handle(curl_easy_init());
    if (!handle)
        throw Error(QStringLiteral("libcurl non disponibile"));
    return handle;
}

CurlList curlList(const QStringList &items)
{
    CurlList list;
    for (const QString &item : items) {
        curl_slist *head = curl_slist_append(list.get(), item.toUtf8().constData());
        if (!head)
            throw Error(QStringLiteral("Memoria insufficiente"));
        if (!list) // later appends give the same head back
            list.reset(head);
    }
    return list;
}

} // namespace velmora::mail
