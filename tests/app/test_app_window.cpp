// The main window's frame, pages, status bar, menu, closing rule and system options.
#include "Script.h"
#include "MainWindow.h"
#include "app/Fmenu.h"
#include "db/Fdm.h"
#include "db/Texts.h"
#include "db/Upgrade.h"
#include "messages/Fsms.h"
#include "platform/Autostart.h"
#include "support/ScriptedDialogs.h"
#include "support/SettableClock.h"
#include "support/TempDatabase.h"

#include <QDesktopServices>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTabWidget>
#include <QToolButton>
#include <QtTest>

#include <csignal>
#include <optional>

using namespace velmora;
using velmora::test::ScriptedDialogs;

namespace {

const QString unreachable = QStringLiteral("127.0.0.2/1:/nowhere.fdb\n");

// A workstation whose connection file is there, so that creating the window
// asks nothing.
struct Workstation : test::MainWindow {
    Workstation() : MainWindow(unreachable.toUtf8()) {}
};

// One line per entry: indent, name, caption, on/off/hidden, ">" for a submenu; "-" for a separator.
void describe(const QMenu &menu, const QString &indent, QStringList &lines)
{
    for (const QAction *a : menu.actions()) {
        if (a->isSeparator()) {
            lines << indent + QLatin1Char('-');
            continue;
        }
        lines << indent + a->objectName() + QLatin1Char('|') + a->text() + QLatin1Char('|')
                     + (!a->isVisible() ? QStringLiteral("hidden")
                        : a->isEnabled() ? QStringLiteral("on")
                                         : QStringLiteral("off"))
                     + (a->menu() ? QStringLiteral(" >") : QString());
        if (a->menu())
            describe(*a->menu(), indent + QStringLiteral("  "), lines);
    }
}

// Stands in for the desktop's document opener.
class Opener : public QObject {
    Q_OBJECT
public:
    QList<QUrl> opened;
public Q_SLOTS:
    void open(const QUrl &url) { opened << url; }
};

} // namespace

class TestMainWindow : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void frame();
    void pages();
    void statusBar();
    void menuEntries();
    void menuButton();
    void today_data();
    void today();
    void closeHides();
    void exitButtons_data();
    void exitButtons();
    void tablePagesNotConnected_data();
    void tablePagesNotConnected();
    void closeApplication_data();
    void closeApplication();
    void autostart_data();
    void autostart();
    void autostartUnwritable_data();
    void autostartUnwritable();
    void address();
    void help_data();
    void help();
    void iconBeforeConnecting();
    void sessionEnd();
    void settingsFromTray();
    void showingWithoutConnection_data();
    void showingWithoutConnection();
    void fitsALaptopScreen();
};

void TestMainWindow::frame()
{
    Workstation w;
    QCOMPARE(w.frm->objectName(), QStringLiteral("frm_menu"));
    QCOMPARE(w.frm->windowTitle(), QStringLiteral("VELMORA (Versione 2.3)"));
    QCOMPARE(w.frm->minimumSize(), w.frm->maximumSize());
    const Qt::WindowFlags flags = w.frm->windowFlags();
    QVERIFY(flags.testFlag(Qt::WindowCloseButtonHint));
    QVERIFY(!flags.testFlag(Qt::WindowMinimizeButtonHint));
    QVERIFY(!flags.testFlag(Qt::WindowMaximizeButtonHint));
    QVERIFY(!w.frm->isVisible());
    QCOMPARE(w.frm->timer_connetti.interval(), 1500);
    QCOMPARE(w.frm->Timer_scad.interval(), 60000);
    QCOMPARE(w.frm->timer_sms.interval(), 10000);
    for (const char *name : {"timer_connetti", "Timer_scad", "timer_sms"})
        QVERIFY2(w.frm->findChild<QObject *>(QLatin1String(name)), name);
    VERIFY_DIALOGS_DONE(w.dialogs);
}

void TestMainWindow::pages()
{
    Workstation w;
    QStringList pages;
    for (int i = 0; i < w.frm->pgc_menu->count(); ++i)
        pages << w.frm->pgc_menu->widget(i)->objectName() + QLatin1Char('|') + w.frm->pgc_menu->tabText(i);
    QCOMPARE(pages, (QStringList{QStringLiteral("p_scadenze|Gestione scadenze"), QStringLiteral("p_feste|Festività"),
                                 QStringLiteral("p_ente|Ente gestore"), QStringLiteral("p_pc|Utenti (Client)"),
                                 QStringLiteral("p_sca_ann|Scadenze annuali"), QStringLiteral("p_parametri|Parametri"),
                                 QStringLiteral("p_stampe|p_stampe")}));
    QCOMPARE(w.visibleTabs(), QStringList{QStringLiteral("p_scadenze")});

    w.frm->showPage(w.frm->p_feste);
    QCOMPARE(w.visibleTabs(), QStringList{QStringLiteral("p_feste")});
    QCOMPARE(w.frm->pgc_menu->currentWidget(), w.frm->p_feste);
    QVERIFY(w.frm->isVisible());

    QCOMPARE(w.frm->Image1->size(), QSize(148, 145));
    QVERIFY(!w.frm->Image1->pixmap().isNull());
    QCOMPARE(w.frm->sbt_menu->text(), QStringLiteral("Funzioni aggiuntive"));
    const auto *hint = w.frm->p_scadenze->findChild<QLabel *>(QStringLiteral("lbl_funzioni"));
    QVERIFY(hint);
    hint->ensurePolished();
    QCOMPARE(hint->text(), QStringLiteral("...attivabili anche cliccando con il tasto destro del mouse sull'icona "
                                          "in basso a destra vicino all'orologio..."));
    QCOMPARE(hint->palette().color(QPalette::WindowText), QColor(128, 0, 0));
}

void TestMainWindow::statusBar()
{
    Workstation w;
    w.frm->show();
    QCOMPARE(w.frm->StatusBar1->objectName(), QStringLiteral("StatusBar1"));
    const int widths[] = {8, 260, 180};
    for (int i = 0; i < 4; ++i) {
        const QLabel *panel = w.frm->StatusBar1_panels[static_cast<std::size_t>(i)];
        QCOMPARE(panel->objectName(), QStringLiteral("StatusBar1_%1").arg(i));
        QVERIFY(panel->font().bold());
        QCOMPARE(panel->palette().color(QPalette::WindowText), QColor(Qt::blue));
        if (i < 3)
            QCOMPARE(panel->width(), widths[i]);
    }
    QVERIFY(w.frm->StatusBar1_panels[0]->text().isEmpty());
    QVERIFY(w.frm->StatusBar1_panels[3]->width() > 200);
}

void TestMainWindow::menuEntries()
{
    Workstation w;
    QStringList lines;
    describe(*w.frm->pop_menu, QString(), lines);
    const QStringList expected = {
        QStringLiteral("v_scad|Gestione scadenze|on"),
        QStringLiteral("Inviomessaggi1|Invio messaggi|on"),
        QStringLiteral("-"),
        QStringLiteral("abelle1|Tabelle|on >"),
        QStringLiteral("  UtentiPC1|Utenti/PC|on"),
        QStringLiteral("  Scadenzeannuali1|Scadenze annuali|on"),
        QStringLiteral("  Festivit1|Festività|on"),
        QStringLiteral("  Entegestore1|Ente gestore|on"),
        QStringLiteral("Stampe1|Stampe|on >"),
        QStringLiteral("  Elencoscadenze1|Elenco scadenze generali|on"),
        QStringLiteral("  Elencofestivit1|Elenco festività|on"),
        QStringLiteral("  Elencoscadenzeannuali1|Elenco scadenze annuali|on"),
        QStringLiteral("Opzioni1|Parametri|on >"),
        QStringLiteral("  ConfigurainvioEmail1|Configura invio Email|on"),
        QStringLiteral("  -"),
        QStringLiteral("  Attivapartenzaautomaticaallavviodiwindows1|ATTIVA partenza automatica all'avvio di windows|on"),
        QStringLiteral("  Disattiva1|DISATTIVA partenza automatica all'avvio di windows|on"),
        QStringLiteral("  -"),
        QStringLiteral("  VisualizzaindirizzoIPenomePC1|Visualizza indirizzo IP di questo computer|on"),
        QStringLiteral("  ModificaconnesionealServer1|Modifica connesione al Server|on"),
        // No database file on this workstation.
        QStringLiteral("v_servizi|Servizi|hidden >"),
        QStringLiteral("  Copia1|Copia|on"),
        QStringLiteral("  Ripristino1|Ripristino|on"),
        QStringLiteral("  -"),
        QStringLiteral("  Eliminatuttelescadenze1|Elimina scadenze precedenti a data gg/mm/aaaa|on"),
        QStringLiteral("  Eliminascadenzechecontengonolaparola1|Elimina scadenze che contengono la parola...|on"),
        QStringLiteral("  Svuotamessaggi1|Elimina messaggi|on"),
        QStringLiteral("-"),
        QStringLiteral("aIUTO1|Aiuto|on"),
        QStringLiteral("-"),
        QStringLiteral("Chiudiappluicazione1|Chiudi applicazione|on"),
    };
    QCOMPARE(lines, expected);
}

void TestMainWindow::menuButton()
{
    Workstation w;
    w.frm->showWindow();
    QVERIFY(QTest::qWaitForWindowExposed(w.frm->windowHandle()));
    const QPoint corner = w.frm->sbt_menu->mapToGlobal(QPoint(5, w.frm->sbt_menu->height() + 25));

    QTest::mouseClick(w.frm->sbt_menu, Qt::LeftButton);
    QTRY_VERIFY(w.frm->pop_menu->isVisible());
    QCOMPARE(w.frm->pop_menu->x(), corner.x());
    // Kept on the screen, it opens below the button when it fits there.
    const int bottom = w.frm->screen()->availableGeometry().bottom();
    QCOMPARE(w.frm->pop_menu->y(), qMin(corner.y(), bottom + 1 - w.frm->pop_menu->height()));
    w.frm->pop_menu->hide();

    Q_EMIT w.frm->sbt_menu->customContextMenuRequested(QPoint(2, 2));
    QTRY_VERIFY(w.frm->pop_menu->isVisible());
    QCOMPARE(w.frm->pop_menu->x(), corner.x());
    w.frm->pop_menu->hide();
    VERIFY_DIALOGS_DONE(w.dialogs);
}

void TestMainWindow::today_data()
{
    QTest::addColumn<QDateTime>("clock");
    QTest::addColumn<QString>("shown");
    QTest::newRow("evening") << QDateTime(QDate(2025, 12, 31), QTime(20, 59, 59))
                             << QStringLiteral("mercoledì  31  dicembre  2025");
    QTest::newRow("from 21.00 the next day") << QDateTime(QDate(2025, 12, 31), QTime(21, 0))
                                             << QStringLiteral("giovedì  1  gennaio  2026");
    QTest::newRow("22.00 on 31 December") << QDateTime(QDate(2025, 12, 31), QTime(22, 0))
                                          << QStringLiteral("giovedì  1  gennaio  2026");
    QTest::newRow("leap day") << QDateTime(QDate(2024, 2, 28), QTime(21, 30))
                              << QStringLiteral("giovedì  29  febbraio  2024");
    QTest::newRow("morning") << QDateTime(QDate(2024, 9, 2), QTime(8, 0))
                             << QStringLiteral("lunedì  2  settembre  2024");
}

void TestMainWindow::today()
{
    QFETCH(QDateTime, clock);
    QFETCH(QString, shown);
    Workstation w;
    test::SettableClock settable(clock.addDays(-3));
    w.frm->showWindow();
    w.frm->close();

    settable.set(clock);
    w.frm->showWindow();
    QCOMPARE(w.frm->lbl_oggi->text(), shown);
    QCOMPARE(w.frm->StatusBar1_panels[1]->text(), QStringLiteral("OGGI: ") + shown);
    QCOMPARE(w.frm->closingFlag(), QStringLiteral("N"));
}

// No notification area here (offscreen): closing minimises the window.
void TestMainWindow::closeHides()
{
    Workstation w;
    QSignalSpy ended(&*w.frm, &Tfrm_menu::endRequested);
    QVERIFY(w.frm->closingFlag().isEmpty());
    QVERIFY(!w.frm->close());
    QVERIFY(!w.frm->programEnded());

    w.frm->showWindow();
    QVERIFY(!w.frm->close());
    QVERIFY(w.frm->isMinimized());
    QVERIFY(!w.frm->programEnded());
    QCOMPARE(ended.count(), 0);
    QVERIFY(w.frm->timer_connetti.isActive());

    w.frm->showWindow();
    QVERIFY(!w.frm->isMinimized());
    QVERIFY(w.frm->isVisible());
    VERIFY_DIALOGS_DONE(w.dialogs);
}

void TestMainWindow::exitButtons_data()
{
    QTest::addColumn<QString>("page");
    QTest::addColumn<QString>("button");
    QTest::newRow("deadlines") << QStringLiteral("p_scadenze") << QStringLiteral("BitBtn9");
    QTest::newRow("holidays") << QStringLiteral("p_feste") << QStringLiteral("BitBtn6");
    QTest::newRow("institution") << QStringLiteral("p_ente") << QStringLiteral("BitBtn5");
    QTest::newRow("users") << QStringLiteral("p_pc") << QStringLiteral("BitBtn13");
    QTest::newRow("annual") << QStringLiteral("p_sca_ann") << QStringLiteral("BitBtn17");
    QTest::newRow("settings") << QStringLiteral("p_parametri") << QStringLiteral("BitBtn8");
}

void TestMainWindow::exitButtons()
{
    QFETCH(QString, page);
    QFETCH(QString, button);
    Workstation w;
    auto *p = w.frm->pgc_menu->findChild<QWidget *>(page);
    QVERIFY(p);
    w.frm->showPage(p);
    auto *esci = p->findChild<QPushButton *>(button);
    QVERIFY(esci);
    // The deadline page's button is a picture whose hint names it.
    QCOMPARE(esci->text().isEmpty() ? esci->toolTip() : esci->text(), QStringLiteral("Esci"));
    QTest::mouseClick(esci, Qt::LeftButton);
    QVERIFY(w.frm->isMinimized());
    QVERIFY(!w.frm->programEnded());
    VERIFY_DIALOGS_DONE(w.dialogs);
}

void TestMainWindow::tablePagesNotConnected_data()
{
    QTest::addColumn<QString>("entry");
    QTest::newRow("holidays") << QStringLiteral("Festivit1");
    QTest::newRow("annual deadlines") << QStringLiteral("Scadenzeannuali1");
    QTest::newRow("users") << QStringLiteral("UtentiPC1");
}

// Without a connection the table pages give the warning and stay away.
void TestMainWindow::tablePagesNotConnected()
{
    QFETCH(QString, entry);
    Workstation w;
    w.frm->showPage(w.frm->p_parametri);
    w.dialogs.ok();
    w.entry(qPrintable(entry))->trigger();
    QCOMPARE(w.dialogs.shown().size(), 1);
    QCOMPARE(w.dialogs.shown().first().kind, QStringLiteral("warning"));
    QVERIFY(w.dialogs.shown().first().text.startsWith(notConnectedWarning() + QLatin1Char('\n')));
    QCOMPARE(w.visibleTabs(), QStringList{QStringLiteral("p_parametri")});
    VERIFY_DIALOGS_DONE(w.dialogs);
}

void TestMainWindow::closeApplication_data()
{
    QTest::addColumn<bool>("shown");
    QTest::addColumn<QString>("answer");
    QTest::addColumn<bool>("ends");
    QTest::newRow("no") << true << QStringLiteral("no") << false;
    QTest::newRow("yes") << true << QStringLiteral("yes") << true;
    QTest::newRow("yes, never shown") << false << QStringLiteral("yes") << true;
}

void TestMainWindow::closeApplication()
{
    QFETCH(bool, shown);
    QFETCH(QString, answer);
    QFETCH(bool, ends);
    const test::TempDatabase db;
    Workstation w;
    w.connectTo(db);
    if (shown)
        w.frm->showWindow();
    QSignalSpy ended(&*w.frm, &Tfrm_menu::endRequested);

    test::script(w.dialogs, {answer});
    w.entry("Chiudiappluicazione1")->trigger();
    QCOMPARE(w.dialogs.texts(),
             QStringList{QStringLiteral("question: Proseguendo verrà chiusa l'applicazione e non sarà più operativa "
                                        "fino al prossimo riavvio... Confermare?")});
    QCOMPARE(w.frm->programEnded(), ends);
    QCOMPARE(ended.count(), ends ? 1 : 0);
    if (shown)
        QCOMPARE(w.frm->closingFlag(), ends ? QStringLiteral("S") : QStringLiteral("N"));
    QCOMPARE(w.dm.connected(), !ends);
    QCOMPARE(w.frm->isVisible(), shown && !ends);
    VERIFY_DIALOGS_DONE(w.dialogs);
}

void TestMainWindow::autostart_data()
{
    // Steps "on" or "off" with the answer; "P" in the value is the program's path.
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QString>("value");
    QTest::newRow("on") << QStringList{QStringLiteral("on:yes")} << QStringLiteral("P");
    QTest::newRow("on declined") << QStringList{QStringLiteral("on:no")} << QString();
    QTest::newRow("off") << QStringList{QStringLiteral("off:yes")} << QStringLiteral("Pe");
    QTest::newRow("off twice") << QStringList{QStringLiteral("off:yes"), QStringLiteral("off:yes")}
                               << QStringLiteral("Pe");
    QTest::newRow("off then on") << QStringList{QStringLiteral("off:yes"), QStringLiteral("on:yes")}
                                 << QStringLiteral("P");
    QTest::newRow("off declined") << QStringList{QStringLiteral("on:yes"), QStringLiteral("off:no")}
                                  << QStringLiteral("P");
}

void TestMainWindow::autostart()
{
    QFETCH(QStringList, steps);
    QFETCH(QString, value);
    Workstation w;
    QStringList expectedTexts;
    for (const QString &step : steps) {
        const bool on = step.startsWith(QLatin1String("on"));
        test::script(w.dialogs, {step.section(QLatin1Char(':'), 1)});
        w.entry(on ? "Attivapartenzaautomaticaallavviodiwindows1" : "Disattiva1")->trigger();
        expectedTexts << (on ? QStringLiteral("question: Confermi ATTIVAZIONE?")
                             : QStringLiteral("question: Confermi DISATTIVAZIONE?"));
    }
    QCOMPARE(w.dialogs.texts(), expectedTexts);
    const std::optional<QString> written = autostart::value();
    if (value.isEmpty()) {
        QVERIFY(!written);
    } else {
        QVERIFY(written);
        QCOMPARE(*written, QString(value).replace(QLatin1Char('P'), QCoreApplication::applicationFilePath()));
    }
    VERIFY_DIALOGS_DONE(w.dialogs);
}

void TestMainWindow::autostartUnwritable_data()
{
    QTest::addColumn<QString>("entry");
    QTest::addColumn<QString>("question");
    QTest::newRow("on") << QStringLiteral("Attivapartenzaautomaticaallavviodiwindows1")
                        << QStringLiteral("question: Confermi ATTIVAZIONE?");
    QTest::newRow("off") << QStringLiteral("Disattiva1") << QStringLiteral("question: Confermi DISATTIVAZIONE?");
}

void TestMainWindow::autostartUnwritable()
{
    QFETCH(QString, entry);
    QFETCH(QString, question);
    Workstation w;
    w.root.blockConfigHome();
    w.dialogs.yes().ok();
    w.entry(entry.toLatin1().constData())->trigger();
    QCOMPARE(w.dialogs.texts(), (QStringList{question, QStringLiteral("plain: Chiave di registro non trovata!")}));
    QVERIFY(!autostart::value());
    VERIFY_DIALOGS_DONE(w.dialogs);
}

void TestMainWindow::address()
{
    Workstation w;
    w.dialogs.ok();
    w.entry("VisualizzaindirizzoIPenomePC1")->trigger();
    QCOMPARE(w.dialogs.texts(), QStringList{QStringLiteral("information: IP:  10.0.0.7")});
    VERIFY_DIALOGS_DONE(w.dialogs);
}

// The office's own guide is opened; with no guide anywhere nothing is
// shown (the test program's folder holds none).
void TestMainWindow::help_data()
{
    QTest::addColumn<bool>("officeGuide");
    QTest::newRow("office's own guide") << true;
    QTest::newRow("no guide") << false;
}

void TestMainWindow::help()
{
    QFETCH(bool, officeGuide);
    Workstation w;
    const QString guide = w.root.root() + QStringLiteral("Velmora/Help.pdf");
    if (officeGuide) {
        QFile file(guide);
        QVERIFY(file.open(QIODevice::WriteOnly));
    }
    Opener opener;
    QDesktopServices::setUrlHandler(QStringLiteral("file"), &opener, "open");
    w.entry("aIUTO1")->trigger();
    QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
    QCOMPARE(opener.opened, officeGuide ? QList<QUrl>{QUrl::fromLocalFile(guide)} : QList<QUrl>{});
    VERIFY_DIALOGS_DONE(w.dialogs);
}

void TestMainWindow::iconBeforeConnecting()
{
    Workstation w;
    QCOMPARE(w.frm->icona->toolTip(), QStringLiteral("Connessione in corso..."));
    QVERIFY(!w.frm->icona->contextMenu());
    Q_EMIT w.frm->icona->activated(QSystemTrayIcon::Trigger);
    Q_EMIT w.frm->icona->activated(QSystemTrayIcon::Context);
    QVERIFY(!w.frm->isVisible());
    VERIFY_DIALOGS_DONE(w.dialogs);
}

// Logging off or shutting down: the program ends without asking.
void TestMainWindow::sessionEnd()
{
    const test::TempDatabase db;
    Workstation w;
    w.connectTo(db);
    w.frm->showWindow();
    QSignalSpy ended(&*w.frm, &Tfrm_menu::endRequested);
    std::raise(SIGTERM);
    QVERIFY(ended.wait(5000));
    QCOMPARE(w.frm->closingFlag(), QStringLiteral("S"));
    QVERIFY(w.frm->programEnded());
    QVERIFY(!w.dm.connected());
    QVERIFY(w.dialogs.shown().isEmpty());
}

// "Configura invio Email" from the tray, the window hidden: the page shows the
// stored addresses, and "Salva" keeps them.
void TestMainWindow::settingsFromTray()
{
    const test::TempDatabase db;
    Workstation w;
    w.connectTo(db);
    db.exec({QStringLiteral("UPDATE parametri SET smtp='smtp.scuola.example', porta_smtp='25', user_name='segreteria', "
                            "pw='x', mail_mitt='segreteria@scuola.example', nome_mitt='Segreteria', "
                            "ind_mail='uno@scuola.example' || ascii_char(10) || 'due@scuola.example'")});
    QVERIFY(!w.frm->isVisible());
    w.entry("ConfigurainvioEmail1")->trigger();
    QVERIFY(w.frm->isVisible());
    auto *memo = w.frm->findChild<QPlainTextEdit *>(QStringLiteral("memo_ind_mail"));
    QVERIFY(memo);
    QCOMPARE(memo->toPlainText(), QStringLiteral("uno@scuola.example\ndue@scuola.example"));
    w.dialogs.yes().ok();
    QTest::mouseClick(w.frm->findChild<QPushButton *>(QStringLiteral("BitBtn7")), Qt::LeftButton);
    VERIFY_DIALOGS_DONE(w.dialogs);
    const auto reader = db.connect(QStringLiteral("reader"));
    reader->open(reader->t_par, QStringLiteral("select ind_mail from parametri"));
    QCOMPARE(reader->t_par.value(QStringLiteral("ind_mail")).toString(),
             QStringLiteral("uno@scuola.example\ndue@scuola.example"));
}

QTEST_MAIN(TestMainWindow)
#include "test_app_window.moc"

void TestMainWindow::showingWithoutConnection_data()
{
    QTest::addColumn<bool>("gaveUp");
    QTest::addColumn<QStringList>("boxes");
    QTest::newRow("first connection being made") << false << QStringList();
    QTest::newRow("attempts given up")
        << true << QStringList{QStringLiteral("warning: ") + notConnectedWarning() + QStringLiteral("\nDatabase non connesso")};
}

// Shown while there is no database to read: the window comes all the same,
// and says why its lists are empty, unless the first connection is still
// being made (it fills the window itself).
void TestMainWindow::showingWithoutConnection()
{
    QFETCH(bool, gaveUp);
    QFETCH(QStringList, boxes);
    Workstation w;
    QVERIFY(w.frm->timer_connetti.isActive());
    if (gaveUp)
        w.frm->timer_connetti.stop();
    for (int i = 0; i < boxes.size(); ++i)
        w.dialogs.ok();
    w.frm->showWindow();
    QCOMPARE(w.dialogs.texts(), boxes);
    VERIFY_DIALOGS_DONE(w.dialogs);
    QVERIFY(w.frm->isVisible());
}

// A 1366 by 768 screen, the most common office laptop, under a desktop
// panel (GNOME's top bar: 32 pixels) with the window's title bar (37): the
// window fits, and every page fits the window without squeezing a control
// below its smallest size (the status bar stays in sight).
void TestMainWindow::fitsALaptopScreen()
{
    constexpr int panel = 32;
    constexpr int titleBar = 37;
    Workstation w;
    QVERIFY(w.frm->width() <= 1366);
    QVERIFY(w.frm->height() + panel + titleBar <= 768);
    w.frm->show();
    QStringList squeezed;
    QTabWidget *pages = w.frm->pgc_menu;
    for (int i = 0; i < pages->count(); ++i) {
        QWidget *page = pages->widget(i);
        if (page == w.frm->p_stampe)
            continue;
        pages->setCurrentIndex(i);
        QCoreApplication::processEvents();
        const QSize needed = page->minimumSizeHint();
        if (needed.height() > page->height() || needed.width() > page->width())
            squeezed << QStringLiteral("%1 needs %2x%3, has %4x%5")
                            .arg(page->objectName())
                            .arg(needed.width())
                            .arg(needed.height())
                            .arg(page->width())
                            .arg(page->height());
    }
    QVERIFY2(squeezed.isEmpty(), qPrintable(squeezed.join(QLatin1Char('\n'))));
    QVERIFY(w.frm->StatusBar1->geometry().bottom() < w.frm->height());
}
