#include "SmtpServer.h"

#include "platform/Error.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <utility>

namespace velmora::test {

namespace {

// Debian's interpreter, which has python3-aiosmtpd; the first python3 on
// PATH may be another one without it.
const QString python = QStringLiteral("/usr/bin/python3");
const QString script = QStringLiteral(VELMORA_TEST_SUPPORT_DIR "/smtp_server.py");
// The server ends by itself after this, should the test never stop it.
const QString lifetimeSeconds = QStringLiteral("120");
constexpr int startTimeoutMs = 15000;

QStringList argumentsFor(const SmtpServerSetup &setup, const QString &folder)
{
    QStringList arguments{script,
                          QStringLiteral("--folder"), folder,
                          QStringLiteral("--user"), setup.user,
                          QStringLiteral("--password"), setup.password,
                          QStringLiteral("--lifetime"), lifetimeSeconds};
    if (!setup.refusedRecipient.isEmpty())
        arguments << QStringLiteral("--refuse-rcpt") << setup.refusedRecipient;
    switch (setup.behaviour) {
    case SmtpBehaviour::Normal:
        break;
    case SmtpBehaviour::SilentAtGreeting:
        arguments << QStringLiteral("--hang");
        break;
    case SmtpBehaviour::SilentAfterData:
        arguments << QStringLiteral("--hang-after-data");
        break;
    }
    return arguments;
}

QByteArray readAll(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw Error(QStringLiteral("Cannot read %1").arg(path));
    return file.readAll();
}

} // namespace

SmtpServer::SmtpServer(SmtpServerSetup setup) : m_setup(std::move(setup))
{
    if (!m_folder.isValid())
        throw Error(QStringLiteral("No temporary folder for the SMTP test server"));
    m_process.start(python, argumentsFor(m_setup, m_folder.path()));
    const QDeadlineTimer deadline(startTimeoutMs);
    while (!m_process.canReadLine() && m_process.waitForReadyRead(deadline.remainingTime())) {
    }
    bool ok = false;
    m_port = m_process.readLine().trimmed().toInt(&ok);
    if (!ok) {
        m_process.kill();
        m_process.waitForFinished();
        throw Error(QStringLiteral("The SMTP test server did not start: %1 %2")
                        .arg(m_process.errorString(),
                             QString::fromUtf8(m_process.readAllStandardError())));
    }
}

SmtpServer::~SmtpServer()
{
    m_process.kill();
    m_process.waitForFinished();
}

QList<ReceivedMail> SmtpServer::messages() const
{
    const QDir folder(m_folder.path());
    QList<ReceivedMail> result;
    // The server writes the .json last, so a listed message is complete.
    const QStringList names =
        folder.entryList({QStringLiteral("*.json")}, QDir::Files, QDir::Name);
    for (const QString &name : names) {
        const QJsonObject envelope =
            QJsonDocument::fromJson(readAll(folder.filePath(name))).object();
        ReceivedMail mail;
        mail.from = envelope.value(QStringLiteral("from")).toString();
        const QJsonArray to = envelope.value(QStringLiteral("to")).toArray();
        for (const QJsonValue &address : to)
            mail.to.append(address.toString());
        mail.raw = readAll(folder.filePath(QFileInfo(name).completeBaseName() + QStringLiteral(".eml")));
        result.append(mail);
    }
    return result;
}

} // namespace velmora::test
