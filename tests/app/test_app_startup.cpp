// Start-up: one copy per program file, the splash screen, the windows in
// their order, the event loop.
#include "Script.h"
#include "TempRoot.h"
#include "app/Splash.h"
#include "app/Startup.h"
#include "db/Sql.h"
#include "platform/SingleInstance.h"
#include "support/ScriptedDialogs.h"

#include <QDir>
#include <QElapsedTimer>
#include <QLabel>
#include <QtTest>

#include <csignal>

using namespace velmora;
using velmora::test::ScriptedDialogs;

class TestStartup : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void italianButtons();
    void splashScreen();
    void secondCopyRefused();
    void start();
    void setUpEndsProgram();
};

void TestStartup::italianButtons()
{
    const Startup startup;
    QCOMPARE(QCoreApplication::translate("QPlatformTheme", "&Yes"), QStringLiteral("&Sì"));
    QCOMPARE(QCoreApplication::translate("QPlatformTheme", "&No"), QStringLiteral("&No"));
    QCOMPARE(QCoreApplication::translate("QPlatformTheme", "Cancel"), QStringLiteral("Annulla"));
}

void TestStartup::splashScreen()
{
    const TSplashScreen splash;
    QCOMPARE(splash.objectName(), QStringLiteral("splash"));
    QVERIFY(splash.windowFlags().testFlag(Qt::FramelessWindowHint));
    QCOMPARE(splash.Timer1.objectName(), QStringLiteral("Timer1"));
    QCOMPARE(splash.Timer1.interval(), 3000);
    QVERIFY(splash.Timer1.isSingleShot());
    QVERIFY(splash.Timer1.isActive());

    const auto *title = splash.findChild<QLabel *>(QStringLiteral("lbl_titolo"));
    QVERIFY(title);
    QCOMPARE(title->text(), QStringLiteral("VELMORA"));
    QVERIFY(title->font().bold());
    QVERIFY(title->font().pointSize() >= 24);
    const auto *loading = splash.findChild<QLabel *>(QStringLiteral("lbl_caricamento"));
    QVERIFY(loading);
    QCOMPARE(loading->text(), QStringLiteral("...caricamento in corso..."));
    for (const char *picture : {"img_logo", "img_splash"}) {
        const auto *l = splash.findChild<QLabel *>(QLatin1String(picture));
        QVERIFY2(l && !l->pixmap().isNull(), picture);
    }
    for (const char *name : {"lbl_nome", "lbl_descr"}) {
        const auto *l = splash.findChild<QLabel *>(QLatin1String(name));
        QVERIFY2(l && !l->text().isEmpty(), name);
    }
}

// The refusal is shown and nothing else is made.
void TestStartup::secondCopyRefused()
{
    const test::TempRoot root;
    ScriptedDialogs dialogs;
    dialogs.ok();
    SingleInstance first(QCoreApplication::applicationFilePath());
    QVERIFY(!first.anotherRunning());
    QSignalSpy raised(&first, &SingleInstance::raiseRequested);

    Startup startup;
    QVERIFY(!startup.prepare());
    QCOMPARE(dialogs.texts(),
             QStringList{QStringLiteral("plain: Software già attivo fra le icone in basso a destra vicino all'orologio")});
    QVERIFY(!startup.frm_menu && !startup.dm && !startup.frm_msg && !startup.frm_sms);
    QVERIFY(!QDir(root.root() + QStringLiteral("Velmora")).exists());
    QVERIFY(raised.wait(5000));
    VERIFY_DIALOGS_DONE(dialogs);
}

void TestStartup::start()
{
    const test::TempRoot root;
    root.writeConnectionFile("127.0.0.2/1:/nowhere.fdb\n");
    ScriptedDialogs dialogs;
    Startup startup;

    QElapsedTimer elapsed;
    elapsed.start();
    QVERIFY(startup.prepare());
    QVERIFY(elapsed.elapsed() >= 3000);
    QVERIFY(startup.frm_menu && startup.dm && startup.frm_msg && startup.frm_sms);
    QCOMPARE(startup.frm_msg->objectName(), QStringLiteral("frm_msg"));
    QCOMPARE(startup.frm_sms->objectName(), QStringLiteral("frm_sms"));
    QVERIFY(!startup.frm_menu->isVisible());
    QVERIFY(!startup.frm_msg->isVisible());
    QVERIFY(!startup.frm_sms->isVisible());
    QCOMPARE(startup.dm->pc, ip_locale());
    QVERIFY(startup.frm_menu->timer_connetti.isActive());
    QVERIFY(!startup.frm_menu->programEnded());

    // In the loop: shown at once (no notification area here); put away by its
    // close box; brought back by another copy; ended by the session's end.
    bool shownAtStart = false;
    bool minimised = false;
    bool refused = false;
    bool broughtBack = false;
    QTimer::singleShot(200, [&] {
        shownAtStart = startup.frm_menu->isVisible();
        startup.frm_menu->close();
        minimised = startup.frm_menu->isMinimized();
        SingleInstance other(QCoreApplication::applicationFilePath());
        refused = other.anotherRunning();
    });
    QTimer::singleShot(800, [&] {
        broughtBack = startup.frm_menu->isVisible() && !startup.frm_menu->isMinimized();
        std::raise(SIGTERM);
    });
    QCOMPARE(startup.exec(), 0);
    QVERIFY(shownAtStart);
    QVERIFY(minimised);
    QVERIFY(refused);
    QVERIFY(broughtBack);
    QCOMPARE(startup.frm_menu->closingFlag(), QStringLiteral("S"));
    QVERIFY(!startup.frm_menu->isVisible());
    VERIFY_DIALOGS_DONE(dialogs);
}

// No server named on the first start: everything is still created, and the
// loop ends at once.
void TestStartup::setUpEndsProgram()
{
    const test::TempRoot root;
    ScriptedDialogs dialogs;
    test::script(dialogs, {QStringLiteral("no"), QStringLiteral("cancel")});
    Startup startup;
    QVERIFY(startup.prepare());
    QVERIFY(startup.frm_menu && startup.dm && startup.frm_msg && startup.frm_sms);
    QVERIFY(startup.frm_menu->programEnded());
    QElapsedTimer elapsed;
    elapsed.start();
    QCOMPARE(startup.exec(), 0);
    QVERIFY(elapsed.elapsed() < 1000);
    QVERIFY(!startup.frm_menu->isVisible());
    VERIFY_DIALOGS_DONE(dialogs);
}

QTEST_MAIN(TestStartup)
#include "test_app_startup.moc"
