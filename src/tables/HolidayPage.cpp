#include "tables/HolidayPage.h"

#include "db/Fdm.h"
#include "db/Sql.h"
#include "db/Statements.h"
#include "tables/TableFields.h"
#include "widgets/DataGrid.h"

#include <QBoxLayout>
#include <QComboBox>
#include <QGridLayout>
#include <QLineEdit>
#include <QPushButton>

namespace velmora {

namespace {

TableFacts holidayFacts()
{
    return {"dbg_feste",
            {"BitBtn3", "BitBtn2", "BitBtn1", "bbt_pul_festa", "BitBtn6"},
            sql::holidays(),
            QStringLiteral("UPDATE festivita SET id=id WHERE ID="),
            QStringLiteral("DELETE FROM festivita WHERE id="),
            QStringLiteral("festa"),
            QStringLiteral("Selezionare prima la festività da modificare!"),
            QStringLiteral("Selezionare prima la festività da eliminare!")};
}

} // namespace

HolidayPage::HolidayPage(Tdm &dm, QWidget *parent)
    : TablePage(dm, dm.t_fes, holidayFacts(), parent), dbg_feste(grid()), BitBtn3(insertButton),
      BitBtn2(modifyButton), BitBtn1(removeButton), bbt_pul_festa(clearButton), BitBtn6(exitButton)
{
    dbg_feste->setAccessibleName(QStringLiteral("Festività"));
    auto *entry = new QWidget(this);
    entry->setObjectName(QStringLiteral("pnl_festa_dati"));
    cmb_gg = numberList(entry, "cmb_gg", 31);
    cmb_mm = numberList(entry, "cmb_mm", 12);
    edt_festa = new QLineEdit(entry);
    edt_festa->setObjectName(QStringLiteral("edt_festa"));
    edt_festa->setMaxLength(70);
    auto *fields = new QGridLayout(entry);
    fields->setContentsMargins(0, 0, 0, 0);
    addLabelled(*fields, 0, 0, QStringLiteral("Giorno"), cmb_gg);
    addLabelled(*fields, 0, 1, QStringLiteral("Mese"), cmb_mm);
    addLabelled(*fields, 0, 2, QStringLiteral("Descrizione festività"), edt_festa);
    fields->setColumnStretch(2, 1);
    column().addWidget(entry);

    bbt_sta_fest = namedButton(this, "bbt_sta_fest", QStringLiteral("Stampa elenco festività"));
    bbt_sta_fest->setEnabled(false);
    auto *foot = new QWidget(this);
    foot->setObjectName(QStringLiteral("pnl_festa_piede"));
    auto *row = new QHBoxLayout(foot);
    row->setContentsMargins(0, 0, 0, 0);
    placeButtons(*row);
    row->addStretch();
    row->addWidget(bbt_sta_fest);
    column().addWidget(foot);
    orderTabs({cmb_gg, cmb_mm, edt_festa}, {bbt_sta_fest});
}

void HolidayPage::clearFields()
{
    edt_festa->clear();
    cmb_gg->setCurrentIndex(-1);
    cmb_mm->setCurrentIndex(-1);
}

void HolidayPage::fillFields()
{
    const fb::ResultSet &row = resultSet();
    edt_festa->setText(row.value(QStringLiteral("festa")).toString());
    cmb_gg->setCurrentIndex(row.value(QStringLiteral("giorno")).toInt() - 1);
    cmb_mm->setCurrentIndex(row.value(QStringLiteral("mese")).toInt() - 1);
}

bool HolidayPage::filled() const
{
    return cmb_gg->currentIndex() >= 0 && cmb_mm->currentIndex() >= 0 && !edt_festa->text().isEmpty();
}

QString HolidayPage::insertStatement() const
{
    return QStringLiteral("INSERT INTO festivita(festa,giorno,mese) VALUES('") + testo_sql(edt_festa->text())
           + QStringLiteral("', ") + cmb_gg->currentText() + QStringLiteral(", ") + cmb_mm->currentText()
           + QStringLiteral(")");
}

QString HolidayPage::updateStatement(const QString &id) const
{
    return QStringLiteral("UPDATE festivita SET festa='") + testo_sql(edt_festa->text()) + QStringLiteral("', ")
           + QStringLiteral("giorno=") + cmb_gg->currentText() + QStringLiteral(", ") + QStringLiteral("mese=")
           + cmb_mm->currentText() + QStringLiteral(" ") + QStringLiteral("WHERE id=") + id;
}

QString HolidayPage::typedKey() const
{
    return edt_festa->text();
}

} // namespace velmora
