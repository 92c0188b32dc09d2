// The program as an office user runs it: neither root nor in the firebird
// group, so the engine's default lock folder /tmp/firebird is out of reach.
// Its first start makes the database and connects; what the system refuses
// is said in Italian, and the workstation stays without a connection.
//
// Under root (CI) every case runs as the user nobody, in a process of its
// own: root would write anywhere. The lock folder is chosen once per process,
// so each case has its process also otherwise.
#include "TempRoot.h"
#include "app/Fmenu.h"
#include "db/Fdm.h"
#include "support/ScriptedDialogs.h"

#include <QDirIterator>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <optional>

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace velmora;

namespace {

constexpr int startMs = 60000;
constexpr int endMs = 15000;
const char *const childVariable = "VELMORA_TEST_UNPRIVILEGED_CHILD";
const char *const foreignVariable = "VELMORA_TEST_FOREIGN_FILE";

bool asRoot()
{
    return ::geteuid() == 0;
}

// The user the cases run as: nobody under root, else this user.
uid_t caseUser()
{
    if (!asRoot())
        return ::geteuid();
    const passwd *nobody = ::getpwnam("nobody");
    return nobody ? nobody->pw_uid : 65534;
}

// Under root, hands a folder and all it holds to nobody.
void giveAway(const QString &folder)
{
    if (!asRoot())
        return;
    const gid_t group = static_cast<gid_t>(caseUser());
    ::chown(QFile::encodeName(folder).constData(), caseUser(), group);
    QDirIterator it(folder, QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    while (it.hasNext())
        ::chown(QFile::encodeName(it.next()).constData(), caseUser(), group);
}

// program with arguments, as nobody under root.
void startAsCaseUser(QProcess &process, const QString &program, const QStringList &arguments)
{
    if (asRoot()) {
        process.setProgram(QStringLiteral("setpriv"));
        process.setArguments(QStringList{QStringLiteral("--reuid=nobody"), QStringLiteral("--regid=nogroup"),
                                         QStringLiteral("--clear-groups"), QStringLiteral("--"), program}
                             + arguments);
    } else {
        process.setProgram(program);
        process.setArguments(arguments);
    }
    process.start();
}

// The session of a user who has just logged in, in a folder of its own.
QProcessEnvironment session(const QTemporaryDir &home)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("FIREBIRD_LOCK"));
    env.insert(QStringLiteral("HOME"), home.path());
    env.insert(QStringLiteral("VELMORA_ROOT"), home.filePath(QStringLiteral("root")));
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), home.filePath(QStringLiteral("run")));
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), home.filePath(QStringLiteral("config")));
    env.insert(QStringLiteral("XDG_CACHE_HOME"), home.filePath(QStringLiteral("cache")));
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    return env;
}

// A connection to this workstation where no server answers (port 1): the
// embedded engine opens the file, as on a workstation without a server.
QByteArray embeddedConnection(const QString &file)
{
    return "localhost/1:" + QFile::encodeName(file) + '\n';
}

} // namespace

class TestUnprivileged : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void firstStart();
    void twoSessions();
    void refused_data();
    void refused();

private:
    void refusedHere();
};

ino_t inode(const QString &path)
{
    struct stat st{};
    ::stat(QFile::encodeName(path).constData(), &st);
    return st.st_ino;
}

// A session's home with the program in it (a build tree may lie in a folder
// that nobody may enter), its root and a connection to its own database.
QString prepareHome(const QTemporaryDir &home)
{
    QDir dir(home.path());
    dir.mkpath(QStringLiteral("root/Velmora/Sys"));
    dir.mkpath(QStringLiteral("config"));
    dir.mkpath(QStringLiteral("run"));
    QFile::setPermissions(home.filePath(QStringLiteral("run")), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    const QString database = home.filePath(QStringLiteral("root/Velmora/Database/Velmora.FDB"));
    QFile cnt(home.filePath(QStringLiteral("root/Velmora/Sys/velmora.cnt")));
    if (cnt.open(QIODevice::WriteOnly))
        cnt.write(embeddedConnection(database));
    cnt.close();
    QFile::copy(QStringLiteral(VELMORA_PROGRAM), home.filePath(QStringLiteral("velmora")));
    giveAway(home.path());
    return database;
}

// One run of the program of home, as the case user: started, waited for until
// it is connected (it records the start with the session then), ended.
class Run {
public:
    explicit Run(const QTemporaryDir &home) : m_entry(home.filePath(QStringLiteral("config/autostart/Velmora.desktop")))
    {
        QFile::remove(m_entry);
        m_process.setProcessEnvironment(session(home));
        m_process.setProcessChannelMode(QProcess::ForwardedChannels);
        startAsCaseUser(m_process, home.filePath(QStringLiteral("velmora")), {});
    }
    ~Run()
    {
        m_process.terminate();
        if (!m_process.waitForFinished(endMs))
            m_process.kill();
    }
    Run(const Run &) = delete;
    Run &operator=(const Run &) = delete;

    bool connected()
    {
        return QTest::qWaitFor([this] { return QFile::exists(m_entry) || m_process.state() == QProcess::NotRunning; },
                               startMs)
               && QFile::exists(m_entry);
    }

private:
    const QString m_entry;
    QProcess m_process;
};

void TestUnprivileged::firstStart()
{
    QTemporaryDir home;
    QVERIFY(home.isValid());
    const QString database = prepareHome(home);
    {
        Run first(home);
        QVERIFY(first.connected());
    }
    QCOMPARE(QFileInfo(database).ownerId(), caseUser());
    QVERIFY(QFileInfo(home.filePath(QStringLiteral("run/velmora-firebird"))).isDir());
    // Later starts open the database made by the first: the same file.
    const ino_t made = inode(database);
    Run later(home);
    QVERIFY(later.connected());
    QCOMPARE(inode(database), made);
}

// Two sessions of one computer at the same time, each with its own runtime
// folder: each keeps its own lock files, opens its own database, and neither
// stands in the other's way.
void TestUnprivileged::twoSessions()
{
    QTemporaryDir first;
    QTemporaryDir second;
    QVERIFY(first.isValid() && second.isValid());
    prepareHome(first);
    prepareHome(second);
    Run a(first);
    Run b(second);
    QVERIFY(a.connected());
    QVERIFY(b.connected());
    QVERIFY(QFileInfo(first.filePath(QStringLiteral("run/velmora-firebird"))).isDir());
    QVERIFY(QFileInfo(second.filePath(QStringLiteral("run/velmora-firebird"))).isDir());
}

void TestUnprivileged::refused_data()
{
    QTest::addColumn<QString>("expected");
    QTest::newRow("lock folder not writable") << QStringLiteral(
        "Impossibile creare il database \"%1\".\n"
        "Controllare la cartella dei file di blocco di Firebird \"%2\" (variabile FIREBIRD_LOCK): "
        "l'utente che avvia il programma deve poterci scrivere.\n"
        "operating system directive access failed\n-Permission denied\n-%2/");
    QTest::newRow("database folder not writable") << QStringLiteral(
        "Impossibile creare il database \"%1\".\n"
        "Controllare la cartella \"%3\" e i suoi permessi: l'utente che avvia il programma e, sul computer "
        "che contiene il database, il server Firebird (utente firebird) devono poter leggere e scrivere la "
        "cartella e il file del database. Controllare anche che il disco non sia pieno e che il file non sia "
        "aperto da un altro programma.\n"
        "I/O error during \"open O_CREAT\" operation for file \"%1\"\n"
        "-Error while trying to create file\n-Permission denied");
    QTest::newRow("database file of another user") << QStringLiteral(
        "Impossibile aprire il database \"%1\".\n"
        "Controllare la cartella \"%3\" e i suoi permessi: l'utente che avvia il programma e, sul computer "
        "che contiene il database, il server Firebird (utente firebird) devono poter leggere e scrivere la "
        "cartella e il file del database. Controllare anche che il disco non sia pieno e che il file non sia "
        "aperto da un altro programma.\n"
        "I/O error during \"open\" operation for file \"%1\"\n"
        "-Error while trying to open file\n-Permission denied");
}

void TestUnprivileged::refused()
{
    if (qEnvironmentVariableIsSet(childVariable)) {
        refusedHere();
        return;
    }
    const QString tag = QString::fromUtf8(QTest::currentDataTag());
    QTemporaryDir home;
    QVERIFY(home.isValid());
    // This test program, where the case user may run it.
    const QString self = home.filePath(QStringLiteral("test_app_unprivileged"));
    QVERIFY(QFile::copy(QCoreApplication::applicationFilePath(), self));
    giveAway(home.path());
    QProcessEnvironment env = session(home);
    env.remove(QStringLiteral("XDG_RUNTIME_DIR"));
    env.insert(QString::fromLatin1(childVariable), QStringLiteral("1"));

    // A file that belongs to root and that no one else may open.
    QTemporaryDir foreign;
    if (tag == QLatin1String("database file of another user")) {
        if (!asRoot())
            QSKIP("needs root to make a file of another user");
        QFile file(foreign.filePath(QStringLiteral("Velmora.FDB")));
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write("not for you") > 0);
        file.close();
        QFile::setPermissions(file.fileName(), QFile::ReadOwner | QFile::WriteOwner);
        ::chmod(QFile::encodeName(foreign.path()).constData(), 0755);
        env.insert(QString::fromLatin1(foreignVariable), file.fileName());
    }

    QProcess child;
    child.setProcessEnvironment(env);
    child.setProcessChannelMode(QProcess::ForwardedChannels);
    // The child writes its own temporary folders.
    startAsCaseUser(child, self, {QStringLiteral("refused:") + tag});
    QVERIFY(child.waitForFinished(startMs));
    QCOMPARE(child.exitStatus(), QProcess::NormalExit);
    QCOMPARE(child.exitCode(), 0);
}

// One case, in this process, as a user without privileges.
void TestUnprivileged::refusedHere()
{
    QFETCH(QString, expected);
    const QString tag = QString::fromUtf8(QTest::currentDataTag());
    QTemporaryDir locks;
    test::TempRoot root;
    QString database = root.root() + QStringLiteral("Velmora/Database/Velmora.FDB");
    if (tag == QLatin1String("lock folder not writable")) {
        QFile::setPermissions(locks.path(), QFile::ReadOwner | QFile::ExeOwner);
        qputenv("FIREBIRD_LOCK", QFile::encodeName(locks.path()));
    } else if (tag == QLatin1String("database folder not writable")) {
        QVERIFY(QDir().mkpath(root.root() + QStringLiteral("Velmora/Database")));
        QFile::setPermissions(root.root() + QStringLiteral("Velmora/Database"), QFile::ReadOwner | QFile::ExeOwner);
    } else {
        database = qEnvironmentVariable(foreignVariable);
    }
    root.writeConnectionFile(embeddedConnection(database));

    test::ScriptedDialogs dialogs;
    dialogs.ok();
    Tdm dm;
    dm.pc = QStringLiteral("10.0.0.7");
    std::optional<Tfrm_menu> frm;
    frm.emplace();
    frm->setDataModule(&dm);
    if (frm->timer_connetti.isActive())
        frm->connectTick();

    expected.replace(QStringLiteral("%1"), database)
        .replace(QStringLiteral("%2"), locks.path())
        .replace(QStringLiteral("%3"), QFileInfo(database).absolutePath());
    QCOMPARE(dialogs.texts(), QStringList{QStringLiteral("error: ") + expected});
    QVERIFY2(dialogs.problems().isEmpty(), qPrintable(dialogs.problems()));
    QVERIFY(!dm.connected());
    QVERIFY(!frm->timer_connetti.isActive());
    QCOMPARE(frm->icona->contextMenu(), frm->pop_menu);
}

QTEST_MAIN(TestUnprivileged)
#include "test_app_unprivileged.moc"
