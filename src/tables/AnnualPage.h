#pragma once

#include "tables/TablePage.h"

#include <memory>

class QComboBox;
class QGroupBox;
class QLineEdit;
class QPlainTextEdit;

namespace velmora {

class MaskedTimeEdit;
class YearlyGeneration;

// The page "Scadenze annuali": deadlines that come back every year on the
// same day and time, the box that turns them into a year's deadlines, and
// the removal of the whole table.
class AnnualPage : public TablePage {
    Q_OBJECT
public:
    explicit AnnualPage(Tdm &dm, QWidget *parent = nullptr);
    ~AnnualPage() override;

    // " Avvia operazione".
    void generate();
    // "Elimina tutte le scadenze annuali".
    void removeAll();

    DataGrid *SMDBGrid3;
    QComboBox *cmb_gg_ann;
    QComboBox *cmb_mm_ann;
    MaskedTimeEdit *edt_ora_ann;
    QComboBox *cmb_ora_ann;
    QLineEdit *edt_sca_ann;
    QPushButton *BitBtn16;     // Inserisci
    QPushButton *BitBtn15;     // Modifica
    QPushButton *BitBtn14;     // Elimina
    QPushButton *bbt_pul_ann;  // Pulisci
    QPushButton *BitBtn17;     // Esci
    QGroupBox *GroupBox_imposta;
    QLineEdit *edt_anno_scad;
    QPushButton *BitBtn18;     // " Avvia operazione"
    QPushButton *bbt_sta_ann;  // the printed list; off until the main window wires it
    QPushButton *BitBtn19;     // "Elimina tutte le scadenze annuali"
    QPlainTextEdit *memo_mem;  // failed rows of the last generation
    QPlainTextEdit *memo_mem2; // rows already registered

Q_SIGNALS:
    // The generation read the general list again.
    void deadlinesStored();

protected:
    void clearFields() override;
    void fillFields() override;
    bool filled() const override;
    bool checkInsert() override;
    bool checkModify() override;
    QString insertStatement() const override;
    QString updateStatement(const QString &id) const override;
    QString typedKey() const override;

private:
    QWidget *buildEntry();
    QGroupBox *buildGenerationBox();
    bool checkTime() const;
    bool checkDay() const;
    // A row other than `except` (an id) with the typed day, month and time.
    int sameMoment(qlonglong except) const;

    std::unique_ptr<YearlyGeneration> m_generation;
};

} // namespace velmora
