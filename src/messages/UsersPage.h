#pragma once

#include "tables/TablePage.h"

#include <QStringList>

class QLineEdit;
class QToolButton;

namespace velmora {

// The page "Utenti (Client)": the directory that pairs each person's name
// with the key of the workstation the person uses.
class UsersPage : public TablePage {
    Q_OBJECT
public:
    explicit UsersPage(Tdm &dm, QWidget *parent = nullptr);

    // "Preleva indirizzo IP": this workstation's key into the field.
    void takeAddress();
    // The names of the directory as the set holds them, in its order.
    QStringList names() const;

    DataGrid *SMDBGrid2;
    QLineEdit *edt_utente;
    QLineEdit *edt_pc;
    QToolButton *SpeedButton2;
    QPushButton *BitBtn12;     // Inserisci
    QPushButton *BitBtn11;     // Modifica
    QPushButton *BitBtn10;     // Elimina
    QPushButton *bbt_pul_pc;   // Pulisci
    QPushButton *BitBtn13;     // Esci

protected:
    void clearFields() override;
    void fillFields() override;
    bool filled() const override;
    QString insertStatement() const override;
    QString updateStatement(const QString &id) const override;
    QString typedKey() const override;
};

} // namespace velmora
