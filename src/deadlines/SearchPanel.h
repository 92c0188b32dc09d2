#pragma once

#include <QGroupBox>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace velmora {

class MaskedDateEdit;
class MaskedTimeEdit;
class Tdm;

// "CERCA SCADENZE": narrows the general list by words, date, time and mail.
class SearchPanel : public QGroupBox {
    Q_OBJECT
public:
    explicit SearchPanel(Tdm &dm, QWidget *parent = nullptr);

    // The search statement, one fragment a line.
    QString statement() const;
    void search();
    // Empties the search fields and searches: the whole list again.
    void clear();

    QLineEdit *edt_cscad;
    QComboBox *cmb_cdata;
    MaskedDateEdit *mke_cdata;
    QComboBox *cmb_cora;
    MaskedTimeEdit *edt_cora;
    QComboBox *cmb_mail;
    QPushButton *bbt_pul;
    QPushButton *bbt_cerca_scad;
    QPushButton *bbt_sta_scad;
    QLabel *img_mail;

Q_SIGNALS:
    // The general list was opened anew, or closed by a failed search.
    void listChanged();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    Tdm &m_dm;
};

} // namespace velmora
