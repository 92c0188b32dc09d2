#pragma once

#include <QList>
#include <QWidget>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace velmora {

class Tdm;

// The page "Ente gestore": the one row of ente, its name, address, codes and
// contacts in the group "DATI"; the head teacher, the administrative
// director and the school year are kept in hidden fields and written back
// unchanged on every save.
class InstitutionPage : public QWidget {
    Q_OBJECT
public:
    explicit InstitutionPage(Tdm &dm, QWidget *parent = nullptr);

    // "Ente gestore" before the page is shown: reads the row into the fields.
    // False, after the not-connected warning, when the page is not to be shown.
    bool open();
    // "Salva".
    void save();

    QGroupBox *GroupBox_dati;
    QLineEdit *edt_denom;
    QLineEdit *edt_dedica;
    QLineEdit *edt_indir;
    QLineEdit *edt_com_ente;
    QLineEdit *edt_cap_ente;
    QLineEdit *edt_pr_ente;
    QLineEdit *edt_cf_ente;
    QLineEdit *edt_cm_ente;
    QLineEdit *edt_tel_ente;
    QLineEdit *edt_fax_ente;
    QLineEdit *edt_mail_ente;
    QLineEdit *edt_sito_ente;
    QGroupBox *GroupBox_dirigente;
    QLineEdit *edt_dirigente;
    QLineEdit *edt_cf_dirigente;
    QGroupBox *GroupBox_dsga;
    QLineEdit *edt_dsga;
    QLineEdit *edt_cf_dsga;
    QGroupBox *GroupBox_anno;
    QLineEdit *edt_anno_scol;
    QLabel *lbl_dcopia;
    QPushButton *bbt_mod_rap;
    QPushButton *BitBtn5;   // "Esci": the main window connects it to its closing

private:
    struct Field;
    QList<Field> fields() const;
    void buildDati();
    void buildHidden();
    QGroupBox *personGroup(const QString &title, const char *name, QLineEdit *&person, const char *personName,
                           QLineEdit *&code, const char *codeName);
    QString updateStatement() const;

    Tdm &m_dm;
    // ente had no row when the page was opened: "Salva" makes it.
    bool m_rowMissing = false;
};

} // namespace velmora
