#include "Restart.h"

#include "app/Fmenu.h"
#include "db/Fdm.h"
#include "platform/NestedWait.h"
#include "Servers.h"
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

constexpr int outageMs = 2000;
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
    if (!test::fbServerRunning()) {
        std::printf("server restart:         no Firebird server on loopback, not measured\n");
        return;
    }
    QTemporaryDir root;
    qputenv("VELMORA_ROOT", (root.path() + QLatin1Char('/')).toUtf8());
    qputenv("XDG_CONFIG_HOME", root.filePath(QStringLiteral("config")).toUtf8());
    const test::TempDatabase db;
    db.shareWithServer();
    test::TcpProxy proxy(3050);
    writeConnection(root.path(), QStringLiteral("%1/%2:%3").arg(QLatin1String(test::listenHost)).arg(proxy.port()).arg(db.file()));

    Tdm dm;
    dm.pc = QStringLiteral("10.0.0.7");
    Tfrm_menu frm;
    frm.setDataModule(&dm);
    frm.connectTick();
    if (!dm.connected()) {
        std::printf("server restart:         cannot connect through the relay, not measured\n");
        return;
    }
    proxy.cut();
    NestedWait(outageMs).pause();
    proxy.restore();
    QElapsedTimer sinceRestart;
    sinceRestart.start();
    NestedWait back(giveUpMs);
    QTimer look;
    back.wakeOn(&look, &QTimer::timeout);
    look.start(20);
    // Back when the connection step went through: start-up check done, scan on.
    const bool scanned = back.until([&] { return dm.connected() && frm.Timer_scad.isActive() && !frm.timer_connetti.isActive(); });
    std::printf("server restart to scan: %8.1f s%s (goal: at most 30 s)\n",
                static_cast<double>(sinceRestart.elapsed()) / 1000.0, scanned ? "" : ", never came back");
}

} // namespace velmora::bench
