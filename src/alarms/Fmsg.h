#pragma once

#include "alarms/AlarmDeadline.h"

#include <QWidget>

#include <optional>

class QAction;
class QFrame;
class QLabel;
class QMenu;
class QPlainTextEdit;
class QToolButton;

namespace velmora {

namespace fb {
class ResultSet;
}

class RunningText;
class SnoozePanel;
class Tdm;

// The alarm window: a due deadline, to mark seen, delete, propose again
// later or ignore; or, in its second mode, the past unseen deadlines found at
// connection, to mark seen together. Each announcement opens a new one.
class Tfrm_msg : public QWidget {
    Q_OBJECT
public:
    // Builds the window without showing it: the first instance that start-up
    // makes stays so.
    explicit Tfrm_msg(Tdm &dm, QWidget *parent = nullptr);

    // A new window, destroyed when closed, that plays the alarm sound to its
    // end and then shows the deadline.
    static Tfrm_msg *openDeadline(Tdm &dm, const AlarmDeadline &d, bool mailMarker, const QString &errorText);
    // Likewise, listing every row of the set (columns data, ora, scadenza).
    static Tfrm_msg *openPast(Tdm &dm, const fb::ResultSet &rows);

    RunningText *RunningText1;
    QLabel *lbl_ldata;
    QLabel *lbl_lora;
    QLabel *lbl_data_msg;
    QLabel *lbl_ora_msg;
    QLabel *lbl_sca_old;
    QLabel *img_mail;
    QToolButton *sbt_menu;
    SnoozePanel *pnl_riproponi;
    QPlainTextEdit *memo_scad_msg;
    QFrame *pnl_letti;
    QToolButton *sbt_lettii;
    QPlainTextEdit *memo_errore;
    QLabel *lbl_id_msg;
    QLabel *lbl_pc_msg;
    QLabel *lbl_giorni;
    QLabel *lbl_minuti;
    QLabel *lbl_ore;

    QMenu *pop_menu;
    QAction *Ignoramessaggio1;
    QAction *v_letto;
    QAction *Eliminamessaggio1;
    QAction *Riproponidomani1;

Q_SIGNALS:
    // t_sca, t_sca_gg and t_sca_timer were read again: the grids follow.
    void listsReloaded();

protected:
    // Dragging the window's own surface moves it: it has no usable title bar.
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    // The copy of the deadline that every action works on.
    AlarmDeadline held() const;
    void buildMenu();
    void layOut();
    void fillDeadline(const AlarmDeadline &d, bool mailMarker, const QString &errorText);
    void fillPast(const fb::ResultSet &rows);
    // The sound to its end, then the window on screen.
    void appear();
    void showMenu();

    void markSeen();
    void remove();
    void snooze();
    void markPastSeen();

    void reloadLists(const QString &generalList);
    // After a write-back: the row must still be there.
    void warnIfGone();

    Tdm &m_dm;
    // Where the pointer holds the window while it is dragged.
    std::optional<QPoint> m_grip;
    // The deadline's text as stored: the text box turns CR LF into LF and
    // non-breaking spaces into spaces, and what is written back must not change.
    QString m_storedText;
};

} // namespace velmora
