#include "Restart.h"

#include "app/Fmenu.h"
#include "db/Fdm.h"
#include "platform/NestedWait.h"
#include "PrivateServer.h"
#include "TcpProxy.h"
#include "TempDatabase.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>

#include <cstdio>

namespace velmora::bench {

namespace {

constexpr int giveUpMs = 120000;

void writeConnection(const QString &root, const QString &connection)
{
    QDir().mkpath(root + QStringLiteral("/Velmora/Sys"));
    QFile file(root + QStringLiteral("/Velmora/Sys/velmora.cnt"));
    if (file.open(QIODevice::WriteOnly))
        file.write(connection.toUtf8() + '\n');
}

} // namespace

void reportServerRestart()
{
    // A server of the bench's own, which it stops and starts again.
    test::PrivateServer server;
    if (!server.start()) {
        std::printf("server restart:         cannot start a Firebird server, not measured\n");
        return;
    }
    QTemporaryDir root;
    qputenv("VELMORA_ROOT", (root.path() + QLatin1Char('/')).toUtf8());
    qputenv("XDG_CONFIG_HOME", root.filePath(QStringLiteral("config")).toUtf8());
    const test::TempDatabase db;
    db.shareWithServer();
    // Reached through a relay: a connection string naming this computer
    // would let the workstation open the file itself while the server is away.
    test::TcpProxy proxy(server.port());
    writeConnection(root.path(), QStringLiteral("%1/%2:%3").arg(QLatin1String(test::listenHost)).arg(proxy.port()).arg(db.file()));

    Tdm dm;
    dm.pc = QStringLiteral("10.0.0.7");
    Tfrm_menu frm;
    frm.setDataModule(&dm);
    frm.connectTick();
    if (!dm.connected()) {
        std::printf("server restart:         cannot connect to the server, not measured\n");
        return;
    }
    server.stop();
    QTimer look;
    look.start(20);
    // The workstation notices by itself, at its next round trip.
    QElapsedTimer sinceStop;
    sinceStop.start();
    NestedWait lost(giveUpMs);
    lost.wakeOn(&look, &QTimer::timeout);
    const bool noticed = lost.until([&] { return !dm.connected(); });
    const double noticedAfter = static_cast<double>(sinceStop.elapsed()) / 1000.0;
    if (!server.start()) {
        std::printf("server restart:         the server did not start again, not measured\n");
        return;
    }
    QElapsedTimer sinceRestart;
    sinceRestart.start();
    NestedWait back(giveUpMs);
    back.wakeOn(&look, &QTimer::timeout);
    // Back when the connection step went through: the start-up check read
    // the deadlines missed meanwhile, and the scan is on again.
    const bool scanned = back.until([&] { return dm.connected() && frm.Timer_scad.isActive() && !frm.timer_connetti.isActive(); });
    std::printf("server stop noticed:    %8.1f s%s\n", noticedAfter, noticed ? "" : ", never");
    std::printf("server restart to scan: %8.1f s%s (goal: at most 30 s)\n",
                static_cast<double>(sinceRestart.elapsed()) / 1000.0, scanned ? "" : ", never came back");
}

} // namespace velmora::bench
