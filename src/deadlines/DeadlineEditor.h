#pragma once

#include <QGroupBox>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace velmora {

class MaskedDateEdit;
class PageLinks;
class Tdm;

// The group "DATI" with its button bar: enters, changes and deletes one
// deadline, each after its chain of checks, and takes a row of the general
// list into the fields while holding it in lock slot 1.
class DeadlineEditor : public QGroupBox {
    Q_OBJECT
public:
    DeadlineEditor(Tdm &dm, PageLinks &links, QWidget *parent = nullptr);

    void insert();
    void modify();
    void remove();
    // "Pulisci": empties the fields and releases the held row.
    void clear();
    // Takes the row on which the general list stands.
    void selectRow();
    // The hour and minute fields set to the current time.
    void presetTime();
    // The addressee list from the user directory, the address list from the
    // settings' recurring addresses (one a line; null leaves it as it is).
    void fillLists(const QStringList &users, const QVariant &addresses);

    QLineEdit *edt_scad;
    QLabel *lbl_caratteri;
    MaskedDateEdit *mke_data_scad;
    QLineEdit *edt_ora;
    QLineEdit *edt_min;
    QComboBox *cmb_utente_scad;
    QComboBox *edt_mail_dest;
    QLabel *lbl_pc_sca;
    QLabel *lbl_id_scadenza;
    QWidget *Panel4;
    QPushButton *bbt_ins;
    QPushButton *bbt_mod;
    QPushButton *BitBtn4;
    QPushButton *bbt_pul_scad;
    QPushButton *BitBtn9;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    struct Typed;
    Typed typed() const;
    bool checkMoment(const Typed &t) const;
    bool checkAddressee(const Typed &t) const;
    bool checkSettings() const;
    bool checkAddress(const Typed &t) const;
    bool checkHoliday(const Typed &t) const;
    bool confirm(const Typed &t, const QString &withMail, const QString &plain) const;
    void padTime();
    QString storedTime() const;
    void chooseAddressee();
    void leaveTimeField(QLineEdit *field, int highest, const QString &refusal);

    Tdm &m_dm;
    PageLinks &m_links;
};

} // namespace velmora
