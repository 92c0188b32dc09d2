#pragma once

#include "tables/TablePage.h"

class QComboBox;
class QLineEdit;

namespace velmora {

// The page "Festività": the holidays, by day and month without a year. Its
// result set t_fes is the one copy that the editor and the calendar read.
class HolidayPage : public TablePage {
    Q_OBJECT
public:
    explicit HolidayPage(Tdm &dm, QWidget *parent = nullptr);

    DataGrid *dbg_feste;
    QComboBox *cmb_gg;
    QComboBox *cmb_mm;
    QLineEdit *edt_festa;
    QPushButton *BitBtn3;        // Inserisci
    QPushButton *BitBtn2;        // Modifica
    QPushButton *BitBtn1;        // Elimina
    QPushButton *bbt_pul_festa;  // Pulisci
    QPushButton *BitBtn6;        // Esci
    QPushButton *bbt_sta_fest;   // the printed list; off until the main window wires it

protected:
    void clearFields() override;
    void fillFields() override;
    bool filled() const override;
    QString insertStatement() const override;
    QString updateStatement(const QString &id) const override;
    QString typedKey() const override;
};

} // namespace velmora
