#include "messages/UsersPage.h"

#include "db/Fdm.h"
#include "db/Sql.h"
#include "db/Statements.h"
#include "platform/ErrorReport.h"
#include "tables/TableFields.h"
#include "widgets/DataGrid.h"

#include <QBoxLayout>
#include <QGridLayout>
#include <QLineEdit>
#include <QToolButton>

namespace velmora {

namespace {

TableFacts userFacts()
{
    return {"SMDBGrid2",
            {"BitBtn12", "BitBtn11", "BitBtn10", "bbt_pul_pc", "BitBtn13"},
            sql::users(),
            QStringLiteral("UPDATE client SET id=id WHERE ID="),
            QStringLiteral("DELETE FROM client WHERE id="),
            QStringLiteral("pc"),
            QStringLiteral("Selezionare prima l'utente da modificare!"),
            QStringLiteral("Selezionare prima l'utente da eliminare!")};
}

} // namespace

UsersPage::UsersPage(Tdm &dm, QWidget *parent)
    : TablePage(dm, dm.t_pc, userFacts(), parent), SMDBGrid2(grid()), BitBtn12(insertButton),
      BitBtn11(modifyButton), BitBtn10(removeButton), bbt_pul_pc(clearButton), BitBtn13(exitButton)
{
    SMDBGrid2->setAccessibleName(QStringLiteral("Utenti (Client)"));
    auto *entry = new QWidget(this);
    entry->setObjectName(QStringLiteral("pnl_pc_dati"));
    edt_utente = new QLineEdit(entry);
    edt_utente->setObjectName(QStringLiteral("edt_utente"));
    edt_utente->setMaxLength(35);
    edt_pc = new QLineEdit(entry);
    edt_pc->setObjectName(QStringLiteral("edt_pc"));
    edt_pc->setMaxLength(20);
    SpeedButton2 = new QToolButton(entry);
    SpeedButton2->setObjectName(QStringLiteral("SpeedButton2"));
    SpeedButton2->setText(QStringLiteral("Preleva indirizzo IP"));
    SpeedButton2->setAccessibleName(SpeedButton2->text());
    auto *fields = new QGridLayout(entry);
    fields->setContentsMargins(0, 0, 0, 0);
    addLabelled(*fields, 0, 0, QStringLiteral("Nominativo Utente"), edt_utente);
    addLabelled(*fields, 0, 1, QStringLiteral("Identificativo PC (Nome o IP)"), edt_pc);
    fields->addWidget(SpeedButton2, 1, 2);
    fields->setColumnStretch(0, 2);
    fields->setColumnStretch(1, 1);
    column().addWidget(entry);
    placeButtons(column());
    orderTabs({edt_utente, edt_pc, SpeedButton2});

    connect(SpeedButton2, &QToolButton::clicked, this, guardedSlot(this, &UsersPage::takeAddress));
}

// The key the data module matches, not a new lookup that an address
// change would make differ from it.
void UsersPage::takeAddress()
{
    edt_pc->setText(dm().pc);
}

QStringList UsersPage::names() const
{
    return resultSet().texts(QStringLiteral("utente"));
}

void UsersPage::clearFields()
{
    edt_utente->clear();
    edt_pc->clear();
}

void UsersPage::fillFields()
{
    edt_utente->setText(resultSet().value(QStringLiteral("utente")).toString());
    edt_pc->setText(resultSet().value(QStringLiteral("pc")).toString());
}

bool UsersPage::filled() const
{
    return !edt_utente->text().isEmpty() && !edt_pc->text().isEmpty();
}

QString UsersPage::insertStatement() const
{
    return QStringLiteral("INSERT INTO client(utente,pc) VALUES('") + testo_sql(edt_utente->text())
           + QStringLiteral("', '") + testo_sql(edt_pc->text()) + QStringLiteral("')");
}

QString UsersPage::updateStatement(const QString &id) const
{
    return QStringLiteral("UPDATE client SET utente='") + testo_sql(edt_utente->text()) + QStringLiteral("', ")
           + QStringLiteral("pc='") + testo_sql(edt_pc->text()) + QStringLiteral("' ") + QStringLiteral("WHERE id=")
           + id;
}

QString UsersPage::typedKey() const
{
    return edt_pc->text();
}

} // namespace velmora
