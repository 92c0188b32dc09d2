#pragma once

#include <QWidget>

class QGroupBox;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace velmora {

class Tdm;

// The page "Parametri": the mail account, the texts of the notification
// mails and the recurring addresses, kept in the one row of parametri.
// It also holds the hidden buffer where the mail step leaves its errors.
class SettingsPage : public QWidget {
    Q_OBJECT
public:
    explicit SettingsPage(Tdm &dm, QWidget *parent = nullptr);

    // "Configura invio Email" before the page is shown: reads the row into
    // the fields. False, after the not-connected warning, when the page is
    // not to be shown.
    bool open();
    // At each showing of the main window, once the deadline editor has
    // taken the addresses.
    void clearAddresses();
    // "Salva".
    void save();

    // The mail error buffer, hidden; the scan fills and empties it.
    QPlainTextEdit &statusmemo() const { return *m_statusmemo; }

    QGroupBox *GroupBox1;
    QLineEdit *edt_smtp;
    QLineEdit *edt_porta_smtp;
    QLineEdit *edt_user;
    QLineEdit *edt_pw;
    QLineEdit *edt_mail_mitt;
    QLineEdit *edt_nome_mitt;
    QLineEdit *edt_oggetto;
    QPlainTextEdit *memo_inizio;
    QPlainTextEdit *memo_fine;
    QPlainTextEdit *memo_ind_mail;
    QPushButton *BitBtn7;
    QPushButton *BitBtn8;   // "Esci": the main window connects it to its closing

private:
    struct Field;
    QList<Field> fields() const;
    void buildGroup();
    QString updateStatement() const;

    Tdm &m_dm;
    QPlainTextEdit *m_statusmemo;
};

} // namespace velmora
