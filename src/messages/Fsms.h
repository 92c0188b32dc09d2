#pragma once

#include <QString>
#include <QStringList>
#include <QWidget>

#include <functional>

class QComboBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace velmora {

class Tdm;

// The window for sending a message to another workstation; hidden until
// its menu entry shows it.
class Tfrm_sms : public QWidget {
    Q_OBJECT
public:
    // sender gives this workstation's user name when a message is sent: it
    // is known only once the connection is made.
    Tfrm_sms(Tdm &dm, std::function<QString()> sender, QWidget *parent = nullptr);

    // "Invio messaggi": reads the directory and shows the window, or warns
    // that the database cannot be read or that the directory is empty.
    void openFromMenu();

    QComboBox *cmb_utente;
    QLabel *lbl_pc;
    QPlainTextEdit *memo_sms;
    QPushButton *BitBtn1;    // "Invia"
    QPushButton *BitBtn13;   // "Esci"

private:
    void showEmpty();
    void choose(int index);
    void send();
    // Cuts what goes beyond the width of the message column.
    void keepWithinColumn();

    Tdm &m_dm;
    std::function<QString()> m_sender;
    // The directory as read at the opening, in the list's order.
    QStringList m_names;
    QStringList m_pcs;
    // The declared width of the message column; 0 while not known.
    int m_maxLength = 0;
};

} // namespace velmora
