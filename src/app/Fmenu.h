#pragma once

#include <QString>
#include <QSystemTrayIcon>
#include <QTimer>
#include <QWidget>

#include "db/Maintenance.h"
#include "platform/MinuteTimer.h"

#include <memory>

#include <array>

class QAction;
class QLabel;
class QMenu;
class QPushButton;
class QStatusBar;
class QTabWidget;
class QToolButton;

namespace velmora {

class DeadlineScan;
class DeadlinePage;
class HolidayPage;
class MessagePoll;
class InstitutionPage;
class PrintedLists;
class AnnualPage;
class UsersPage;
class PopupNotice;
class SettingsPage;
class Tfrm_msg;
class Tfrm_sms;
class Tdm;

// The main window: the page control shows one page at a time, the status
// bar, the notification-area icon with its menu, and the timers that
// connect, scan the deadlines and poll the messages. Closing only hides it
// until the closing flag is "S".
class Tfrm_menu : public QWidget {
    Q_OBJECT
public:
    // Runs the connection set-up, which may end the program (programEnded()).
    Tfrm_menu();
    ~Tfrm_menu() override;
    // The scan, once the data module is there; tests run its ticks.
    DeadlineScan *scan() const { return m_scan.get(); }
    // The message poll, once the data module is there; tests run its ticks.
    MessagePoll *poll() const { return m_poll.get(); }

    // The data module is created after this window; it is needed from the
    // first tick of timer_connetti on.
    void setDataModule(Tdm *dm);
    // The send window, created after the data module; "Invio messaggi" opens it.
    void setMessageWindow(Tfrm_sms *window);

    // Asked to end the program: endRequested() was emitted.
    bool programEnded() const { return m_programEnded; }
    const QString &closingFlag() const { return m_closingFlag; }
    // The user of this workstation in the directory, found after connecting.
    const QString &workstationUser() const { return m_workstationUser; }

    // Shows the window and brings it forward; when it was hidden, the steps
    // of each showing run first.
    void showWindow();
    // Makes the page the only visible page, then shows the window.
    void showPage(QWidget *page);
    // Without a notification area the window is the way in from the start.
    void showIfNoTray();
    // Sets the closing flag to "S" and closes the window: the program ends.
    void closeForGood();

    // One tick of timer_connetti.
    void connectTick();
    // The data module lost its connection: the timers stop, the icon says
    // so, and timer_connetti tries again every reconnectMs until it gets
    // through, with the steps of the first connection.
    void connectionLost();
    static constexpr int reconnectMs = 5000;
    // While connected, a round trip every watchMs notices a lost connection
    // between the minute scans.
    static constexpr int watchMs = 10000;

    QTabWidget *pgc_menu;
    QWidget *p_scadenze = nullptr;
    QWidget *p_feste = nullptr;
    QWidget *p_ente = nullptr;
    QWidget *p_pc = nullptr;
    QWidget *p_sca_ann = nullptr;
    QWidget *p_parametri = nullptr;
    QWidget *p_stampe = nullptr;
    // The table pages, built with the data module.
    HolidayPage *holidays = nullptr;
    AnnualPage *annuals = nullptr;
    UsersPage *users = nullptr;

    QLabel *lbl_oggi = nullptr;
    QToolButton *sbt_menu = nullptr;
    QLabel *Image1 = nullptr;

    QStatusBar *StatusBar1;
    std::array<QLabel *, 4> StatusBar1_panels{};

    QSystemTrayIcon *icona;
    QMenu *pop_menu;

    QTimer timer_connetti{this};
    MinuteTimer Timer_scad{this};
    QTimer timer_sms{this};
    QTimer timer_watch{this};

    // The facts of an open-file dialog: what it lists (Qt's filter
    // notation) and where it opens.
    struct FileDialog {
        QString filter;
        QString folder;
    };
    // The restore's: the copies, in the folder of the copies (set up with the connection).
    FileDialog od_copia{QStringLiteral("File di copia (*.copia)"), {}};

Q_SIGNALS:
    void endRequested();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void buildPages();
    QWidget *addPage(const char *name, const QString &caption);
    void closesWindow(QPushButton *button);
    void buildScadenzePage();
    void buildDeadlinePage();
    void buildSettingsPage();
    void buildTablePages();
    void openHolidays();
    void buildInstitutionPage();
    void buildPrintedLists();
    void openAnnuals();
    void openUsers();
    void watchAlarm(Tfrm_msg &window);
    void configureMail();
    void buildStatusBar();
    void wireMenu();
    QAction *menuEntry(const char *name) const;
    void onEntry(const char *name, void (Tfrm_menu::*handler)());

    void selectPage(QWidget *page);
    void prepareShowing();
    bool firstConnectionPending() const;
    void putAway();
    void endProgram();
    void openMenuAtButton();
    void iconActivated(QSystemTrayIcon::ActivationReason reason);
    void attachMenu();

    void setUpConnection();
    void startTimers(const QDateTime &checked);
    void fillShowingPage();
    void changeConnection();

    void gestioneScadenze();
    void enteGestore();
    void elencoScadenze();
    void elencoFestivita();
    void elencoScadenzeAnnuali();
    void closeApplication();
    void autostartOn();
    void autostartOff();
    void setAutostart(const QString &question, const QString &value);
    void showAddress();
    void openHelp();
    void sendMessage();
    void emptyMessages();

    void copia();
    void ripristino();
    void resumeAfterRestore(bool polling, bool scanning);
    void eliminaScadenzeData();
    void eliminaScadenzeParola();
    maintenance::Runner serviceRunner(const QString &title);

    Tdm *m_dm = nullptr;
    DeadlinePage *m_deadlines = nullptr;
    SettingsPage *m_settings = nullptr;
    InstitutionPage *m_institution = nullptr;
    PrintedLists *m_lists = nullptr;
    PopupNotice *HTMLPopup1 = nullptr;
    std::unique_ptr<DeadlineScan> m_scan;
    std::unique_ptr<MessagePoll> m_poll;
    Tfrm_sms *m_sms = nullptr;
    const bool m_inTray;
    bool m_menuAttached = false;
    bool m_programEnded = false;
    QString m_closingFlag;
    int m_retries = 0;
    bool m_reconnecting = false;
    QString m_workstationUser;
};

} // namespace velmora
