#include "fb/Service.h"

#include "fb/Client.h"
#include "fb/Error.h"

#include <QElapsedTimer>

#include <algorithm>

namespace velmora::fb {

namespace {

// Each read waits at most this long, so that a stop request is seen soon.
constexpr unsigned char readSeconds = 1;
constexpr int connectSeconds = 10;

QByteArray bufferOf(Firebird::ThrowStatusWrapper *st, Firebird::IXpbBuilder *b)
{
    return {reinterpret_cast<const char *>(b->getBuffer(st)), static_cast<int>(b->getBufferLength(st))};
}

QByteArray attachParams(const Login &login, bool embedded)
{
    return call([&](Firebird::ThrowStatusWrapper *st) {
        const Owned<Firebird::IXpbBuilder> b(util()->getXpbBuilder(st, Firebird::IXpbBuilder::SPB_ATTACH, nullptr, 0));
        b->insertString(st, isc_spb_user_name, login.user.toUtf8().constData());
        b->insertString(st, isc_spb_password, login.password.toUtf8().constData());
        if (embedded)
            b->insertString(st, isc_spb_config, "Providers=Engine12");
        else
            b->insertInt(st, isc_spb_connect_timeout, connectSeconds);
        return bufferOf(st, b.get());
    });
}

QByteArray startParams(Service::Action action, const QString &database, const QString &backup)
{
    return call([&](Firebird::ThrowStatusWrapper *st) {
        const Owned<Firebird::IXpbBuilder> b(util()->getXpbBuilder(st, Firebird::IXpbBuilder::SPB_START, nullptr, 0));
        if (action == Service::Action::Backup) {
            b->insertTag(st, isc_action_svc_backup);
            b->insertString(st, isc_spb_dbname, bytes(database).constData());
            b->insertString(st, isc_spb_bkp_file, bytes(backup).constData());
        } else {
            b->insertTag(st, isc_action_svc_restore);
            b->insertString(st, isc_spb_bkp_file, bytes(backup).constData());
            b->insertString(st, isc_spb_dbname, bytes(database).constData());
            b->insertInt(st, isc_spb_options, isc_spb_res_replace | isc_spb_res_create);
        }
        b->insertTag(st, isc_spb_verbose);
        return bufferOf(st, b.get());
    });
}

// An attached service manager, detached when it goes.
class Manager {
public:
    Manager(const QString &name, const QByteArray &params)
    {
        m_svc = call([&](Firebird::ThrowStatusWrapper *st) {
            return master()->getDispatcher()->attachServiceManager(
                st, bytes(name).constData(), static_cast<unsigned>(params.size()),
                reinterpret_cast<const unsigned char *>(params.constData()));
        });
    }
    ~Manager()
    {
        try {
            call([&](Firebird::ThrowStatusWrapper *st) { m_svc->detach(st); });
        } catch (const Error &) {
            m_svc->release();
        }
    }
    Manager(const Manager &) = delete;
    Manager &operator=(const Manager &) = delete;

    Firebird::IService *operator->() const { return m_svc; }

private:
    Firebird::IService *m_svc = nullptr;
};

std::unique_ptr<Manager> attachManager(const ServiceSite &site, const Login &login)
{
    if (site.host.isEmpty())
        return std::make_unique<Manager>(QStringLiteral("service_mgr"), attachParams(login, true));
    try {
        return std::make_unique<Manager>(site.host + QStringLiteral(":service_mgr"), attachParams(login, false));
    } catch (const Error &e) {
        if (!site.embeddedWhenNoServer || !e.networkError())
            throw;
    }
    return std::make_unique<Manager>(QStringLiteral("service_mgr"), attachParams(login, true));
}

// The line by which the service tells that it did the whole work. A
// restore that runs out of a truncated copy ends without an error of its
// own: only the missing line tells it from a complete one.
QString completionLine(Service::Action action)
{
    return action == Service::Action::Backup ? QStringLiteral("gbak:closing file, committing, and finishing")
                                             : QStringLiteral("gbak:finishing, closing, and going home");
}

bool completed(const QStringList &lines, Service::Action action)
{
    const QString done = completionLine(action);
    return std::any_of(lines.cbegin(), lines.cend(), [&](const QString &l) { return l.startsWith(done); });
}

int shortAt(const unsigned char *p)
{
    return p[0] | (p[1] << 8);
}

} // namespace

QStringList Service::run(const ServiceSite &site, const Login &login,
                         const std::function<void(const QString &)> &onLine, const std::atomic<bool> &stop,
                         int silenceSeconds) const
{
    const std::unique_ptr<Manager> svc = attachManager(site, login);
    const QByteArray start = startParams(m_action, DatabaseName, BackupFile);
    call([&](Firebird::ThrowStatusWrapper *st) {
        (*svc)->start(st, static_cast<unsigned>(start.size()), reinterpret_cast<const unsigned char *>(start.constData()));
    });

    const unsigned char send[] = {isc_info_svc_timeout, 4, 0, readSeconds, 0, 0, 0};
    const unsigned char receive[] = {isc_info_svc_line};
    unsigned char answer[16384];
    QStringList lines;
    QElapsedTimer silence;
    silence.start();
    for (;;) {
        if (stop)
            throw Error(QStringLiteral("Operazione interrotta."), {});
        if (silence.elapsed() > qint64(silenceSeconds) * 1000)
            throw Error(QStringLiteral("Il servizio non risponde da %1 secondi.").arg(silenceSeconds), {});
        try {
            call([&](Firebird::ThrowStatusWrapper *st) {
                (*svc)->query(st, sizeof send, send, sizeof receive, receive, sizeof answer, answer);
            });
        } catch (const Error &e) {
            // The service's own failure: its text, after the lines it wrote.
            QStringList text = lines;
            text << e.text();
            throw Error(text.join(QLatin1Char('\n')), e.codes());
        }
        bool emptyLine = false;
        bool again = false;
        for (const unsigned char *p = answer; p < answer + sizeof answer && *p != isc_info_end;) {
            const unsigned char item = *p++;
            if (item != isc_info_svc_line) {
                again = true;   // timeout, truncated, not ready: ask again
                continue;
            }
            const int length = shortAt(p);
            p += 2;
            if (length == 0) {
                emptyLine = true;
                continue;
            }
            QString line = QString::fromUtf8(reinterpret_cast<const char *>(p), length);
            while (line.endsWith(QLatin1Char(' ')))
                line.chop(1);
            p += length;
            lines << line;
            silence.restart();
            if (onLine)
                onLine(line);
        }
        // An empty line that is not a timeout: the service has ended.
        const bool ended = emptyLine && !again;
        if (!ended)
            continue;
        if (!completed(lines, m_action)) {
            QStringList text = lines;
            text << QStringLiteral("Il servizio è terminato senza completare l'operazione.");
            throw Error(text.join(QLatin1Char('\n')), {});
        }
        return lines;
    }
}

} // namespace velmora::fb
