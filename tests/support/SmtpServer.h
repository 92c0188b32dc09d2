#pragma once

#include <QByteArray>
#include <QList>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

namespace velmora::test {

// One message as the test server received it.
struct ReceivedMail {
    QString from;   // envelope sender
    QStringList to; // envelope recipients
    QByteArray raw; // content as it came over the wire, dot-stuffing undone
};

enum class SmtpBehaviour {
    Normal,
    SilentAtGreeting, // accepts the connection and never says a word
    SilentAfterData,  // takes the message and never answers its final dot
};

struct SmtpServerSetup {
    QString user = QStringLiteral("segreteria");
    QString password = QStringLiteral("Pàss-w0rd");
    QString refusedRecipient; // answered with 550 when not empty
    SmtpBehaviour behaviour = SmtpBehaviour::Normal;
};

// The SMTP server of the tests (smtp_server.py, aiosmtpd) on 127.0.0.1 and a
// free port for the life of this object. It accepts AUTH LOGIN for the
// setup's account only and requires it. Throws velmora::Error when the server
// does not start.
class SmtpServer {
public:
    explicit SmtpServer(SmtpServerSetup setup = {});
    ~SmtpServer();
    SmtpServer(const SmtpServer &) = delete;
    SmtpServer &operator=(const SmtpServer &) = delete;

    const SmtpServerSetup &setup() const { return m_setup; }
    int port() const { return m_port; }
    // Every message received so far, in the order of arrival.
    QList<ReceivedMail> messages() const;

private:
    SmtpServerSetup m_setup;
    QTemporaryDir m_folder;
    QProcess m_process;
    int m_port = 0;
};

} // namespace velmora::test
