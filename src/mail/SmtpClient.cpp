#include "SmtpClient.h"

#include "Curl.h"
#include "platform/Error.h"

#include <QDeadlineTimer>
#include <QUrl>

#include <algorithm>
#include <array>
#include <cstring>

namespace velmora::mail {

namespace {

constexpr long connectTimeoutMs = 2000;
constexpr int implicitTlsPort = 465;
constexpr int highestPort = 65535;

struct Upload {
    QByteArray data;
    qsizetype sent = 0;
};

size_t readUpload(char *buffer, size_t size, size_t count, void *userData) noexcept
{
    auto *upload = static_cast<Upload *>(userData);
    const qsizetype length =
        std::min(static_cast<qsizetype>(size * count), upload->data.size() - upload->sent);
    std::memcpy(buffer, upload->data.constData() + upload->sent, static_cast<size_t>(length));
    upload->sent += length;
    return static_cast<size_t>(length);
}

// libcurl hands every reply line of the server to the header callback. The
// last refusal (4xx, 5xx) is kept to explain a failure; a later positive
// reply makes it stale, except the 221 that answers the QUIT libcurl sends
// after the refusal.
size_t keepRefusal(char *buffer, size_t size, size_t count, void *userData) noexcept
{
    const size_t length = size * count;
    const QByteArray line = QByteArray(buffer, static_cast<qsizetype>(length)).trimmed();
    const bool continued = line.size() > 3 && line.at(3) == '-'; // "250-" goes on, "250 " ends
    auto *refusal = static_cast<QByteArray *>(userData);
    if (continued || line.startsWith("221"))
        return length;
    if (line.startsWith('4') || line.startsWith('5'))
        *refusal = line;
    else
        refusal->clear();
    return length;
}

// CURLOPT_TIMEOUT_MS does not cover the wait for the reply to the final dot,
// nor the one for the reply to QUIT: each lasts up to 120 s. libcurl calls
// the progress callback while it waits there too, so the callback holds the
// bound of the whole exchange.
struct Bound {
    QDeadlineTimer deadline;
    const std::function<bool()> &giveUp;
};

int stopAtDeadline(void *userData, curl_off_t, curl_off_t, curl_off_t, curl_off_t) noexcept
{
    const auto *bound = static_cast<const Bound *>(userData);
    try {
        return bound->deadline.hasExpired() || bound->giveUp() ? 1 : 0;
    } catch (...) {
        return 1;
    }
}

template <class T>
void setOption(CURL *curl, CURLoption option, T value)
{
    if (const CURLcode code = curl_easy_setopt(curl, option, value); code != CURLE_OK)
        throw Error(QString::fromUtf8(curl_easy_strerror(code)));
}

QByteArray serverUrl(const QString &host, int port)
{
    if (port < 1 || port > highestPort)
        throw Error(QStringLiteral("Porta SMTP non valida: %1").arg(port));
    QUrl url;
    url.setScheme(port == implicitTlsPort ? QStringLiteral("smtps") : QStringLiteral("smtp"));
    url.setHost(host.trimmed());
    url.setPort(port);
    if (!url.isValid() || url.host().isEmpty())
        throw Error(QStringLiteral("Server SMTP non valido: \"%1\"").arg(host));
    return url.toEncoded();
}

QString failureText(CURLcode code, const char *errorBuffer, const QByteArray &refusal,
                    int timeoutMs)
{
    QString text = QString::fromUtf8(errorBuffer);
    if (code == CURLE_ABORTED_BY_CALLBACK)
        text = QStringLiteral("Tempo scaduto: nessuna risposta dal server entro %1 ms").arg(timeoutMs);
    else if (text.isEmpty())
        text = QString::fromUtf8(curl_easy_strerror(code));
    if (!refusal.isEmpty())
        text += QStringLiteral(" (%1)").arg(QString::fromUtf8(refusal));
    return text;
}

} // namespace

void SmtpClient::setHost(const QString &host)
{
    m_host = host;
}

void SmtpClient::setPort(int port)
{
    m_port = port;
}

void SmtpClient::setUser(const QString &user)
{
    m_user = user;
}

void SmtpClient::setPassword(const QString &password)
{
    m_password = password;
}

void SmtpClient::setTimeoutMs(int milliseconds)
{
    m_timeoutMs = milliseconds;
}

void SmtpClient::setGiveUp(std::function<bool()> giveUp)
{
    m_giveUp = std::move(giveUp);
}

void SmtpClient::send(const MailMessage &message) const
{
    const QByteArray url = serverUrl(m_host, m_port);
    const QStringList recipients = message.recipientAddresses();
    if (recipients.isEmpty())
        throw Error(QStringLiteral("Nessun indirizzo di destinazione"));

    // Everything the handle points to is declared before it, so it outlives
    // the handle's clean-up (which may still talk to the server).
    Upload upload{message.toWire()};
    QByteArray refusal;
    Bound bound{QDeadlineTimer(m_timeoutMs), m_giveUp};
    std::array<char, CURL_ERROR_SIZE> errorBuffer{};
    const CurlList recipientList = curlList(recipients);
    const CurlHandle handle = newCurlHandle();
    CURL *curl = handle.get();

    setOption(curl, CURLOPT_NOSIGNAL, 1L);
    setOption(curl, CURLOPT_ERRORBUFFER, errorBuffer.data());
    setOption(curl, CURLOPT_URL, url.constData());
    setOption(curl, CURLOPT_CONNECTTIMEOUT_MS, connectTimeoutMs);
    setOption(curl, CURLOPT_TIMEOUT_MS, static_cast<long>(m_timeoutMs));
    // Closing at the end of the transfer sends QUIT under this handle and
    // its deadline; a connection left open would be closed by the clean-up,
    // which knows neither.
    setOption(curl, CURLOPT_FORBID_REUSE, 1L);
    setOption(curl, CURLOPT_NOPROGRESS, 0L);
    setOption(curl, CURLOPT_XFERINFOFUNCTION, stopAtDeadline);
    setOption(curl, CURLOPT_XFERINFODATA, static_cast<void *>(&bound));
    // STARTTLS when offered. Certificates are verified (libcurl's default):
    // an office server with a self-signed certificate needs it added to the
    // system's trusted certificates, rather than the password going over a
    // channel that anyone could intercept.
    setOption(curl, CURLOPT_USE_SSL, static_cast<long>(CURLUSESSL_TRY));
    setOption(curl, CURLOPT_USERNAME, m_user.toUtf8().constData());
    setOption(curl, CURLOPT_PASSWORD, m_password.toUtf8().constData());
    setOption(curl, CURLOPT_LOGIN_OPTIONS, "AUTH=LOGIN");
    setOption(curl, CURLOPT_MAIL_FROM, message.senderAddress().toUtf8().constData());
    setOption(curl, CURLOPT_MAIL_RCPT, recipientList.get()); // any refusal fails the send
    setOption(curl, CURLOPT_HEADERFUNCTION, keepRefusal);
    setOption(curl, CURLOPT_HEADERDATA, static_cast<void *>(&refusal));
    // The data already has CRLF line ends; libcurl adds the dot-stuffing.
    setOption(curl, CURLOPT_UPLOAD, 1L);
    setOption(curl, CURLOPT_READFUNCTION, readUpload);
    setOption(curl, CURLOPT_READDATA, static_cast<void *>(&upload));
    setOption(curl, CURLOPT_INFILESIZE_LARGE, static_cast<curl_off_t>(upload.data.size()));

    if (const CURLcode code = curl_easy_perform(curl); code != CURLE_OK)
        throw Error(failureText(code, errorBuffer.data(), refusal, m_timeoutMs));
}

} // namespace velmora::mail
