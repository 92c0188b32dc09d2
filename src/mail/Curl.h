#pragma once

#include <curl/curl.h>

#include <QByteArray>
#include <QStringList>

#include <memory>

namespace velmora::mail {

struct CurlEasyCleanup {
    void operator()(CURL *handle) const { curl_easy_cleanup(handle); }
};
struct CurlListFree {
    void operator()(curl_slist *list) const { curl_slist_free_all(list); }
};

using CurlHandle = std::unique_ptr<CURL, CurlEasyCleanup>;
using CurlList = std::unique_ptr<curl_slist, CurlListFree>;

// A new easy handle; libcurl's global set-up runs once, on first use.
// Throws velmora::Error when either fails.
CurlHandle newCurlHandle();

// A libcurl string list of the items, UTF-8. Throws velmora::Error when out
// of memory.
CurlList curlList(const QStringList &items);

} // namespace velmora::mail
