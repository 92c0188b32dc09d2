#include "tables/AnnualPage.h"

#include "db/Fdm.h"
#include "db/Sql.h"
#include "db/Statements.h"
#include "platform/Clock.h"
#include "platform/Dialogs.h"
#include "platform/ErrorReport.h"
#include "tables/TableFields.h"
#include "tables/YearlyGeneration.h"
#include "widgets/DataGrid.h"
#include "widgets/FieldLabel.h"
#include "widgets/MaskedTimeEdit.h"

#include <QBoxLayout>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>

namespace velmora {

namespace {

const QString initialTime = QStringLiteral("10.00");
const QString momentTaken = QStringLiteral("Scadenza già esistente in questo giorno/mese/ora...inserimento non consentito!");

TableFacts annualFacts()
{
    return {"SMDBGrid3",
            {"BitBtn16", "BitBtn15", "BitBtn14", "bbt_pul_ann", "BitBtn17"},
            sql::annualDeadlines(),
            QStringLiteral("UPDATE annuali SET id=id WHERE ID="),
            QStringLiteral("DELETE FROM annuali WHERE id="),
            QStringLiteral("scadenza"),
            QStringLiteral("Selezionare prima la scadenza da modificare!"),
            QStringLiteral("Selezionare prima la scadenza da eliminare!")};
}

} // namespace

AnnualPage::AnnualPage(Tdm &dm, QWidget *parent)
    : TablePage(dm, dm.t_ann, annualFacts(), parent), SMDBGrid3(grid()), BitBtn16(insertButton),
      BitBtn15(modifyButton), BitBtn14(removeButton), bbt_pul_ann(clearButton), BitBtn17(exitButton)
{
    SMDBGrid3->setAccessibleName(QStringLiteral("Scadenze annuali"));
    column().addWidget(buildEntry());
    placeButtons(column());

    bbt_sta_ann = namedButton(this, "bbt_sta_ann", QStringLiteral("Stampa elenco scadenze annuali"));
    bbt_sta_ann->setEnabled(false);
    BitBtn19 = namedButton(this, "BitBtn19", QStringLiteral("Elimina tutte le scadenze annuali"));
    memo_mem = new QPlainTextEdit(this);
    memo_mem->setObjectName(QStringLiteral("memo_mem"));
    memo_mem2 = new QPlainTextEdit(this);
    memo_mem2->setObjectName(QStringLiteral("memo_mem2"));
    memo_mem->hide();
    memo_mem2->hide();
    m_generation = std::make_unique<YearlyGeneration>(dm, *memo_mem, *memo_mem2);

    // The generation box on the left; the two buttons on the right, at its foot.
    auto *foot = new QWidget(this);
    foot->setObjectName(QStringLiteral("pnl_ann_piede"));
    auto *cells = new QGridLayout(foot);
    cells->setContentsMargins(0, 0, 0, 0);
    cells->addWidget(buildGenerationBox(), 0, 0, 3, 1);
    cells->setColumnStretch(1, 1);
    cells->setRowStretch(0, 1);
    cells->addWidget(bbt_sta_ann, 1, 2);
    cells->addWidget(BitBtn19, 2, 2);
    column().addWidget(foot);
    orderTabs({cmb_gg_ann, cmb_mm_ann, edt_ora_ann, cmb_ora_ann, edt_sca_ann},
              {edt_anno_scad, BitBtn18, bbt_sta_ann, BitBtn19});

    connect(BitBtn19, &QPushButton::clicked, this, guardedSlot(this, &AnnualPage::removeAll));
    connect(BitBtn18, &QPushButton::clicked, this, guardedSlot(this, &AnnualPage::generate));
    connect(cmb_ora_ann, &QComboBox::activated, this, [this](int index) {
        edt_ora_ann->setText(cmb_ora_ann->itemText(index));
    });
}

AnnualPage::~AnnualPage() = default;

QWidget *AnnualPage::buildEntry()
{
    auto *entry = new QWidget(this);
    entry->setObjectName(QStringLiteral("pnl_ann_dati"));
    cmb_gg_ann = numberList(entry, "cmb_gg_ann", 31);
    cmb_mm_ann = numberList(entry, "cmb_mm_ann", 12);
    edt_ora_ann = new MaskedTimeEdit(entry);
    edt_ora_ann->setObjectName(QStringLiteral("edt_ora_ann"));
    edt_ora_ann->setText(initialTime);
    edt_ora_ann->setFixedWidth(60);
    cmb_ora_ann = new QComboBox(entry);
    cmb_ora_ann->setObjectName(QStringLiteral("cmb_ora_ann"));
    cmb_ora_ann->addItems({QStringLiteral("08.00"), QStringLiteral("09.00"), QStringLiteral("10.00"),
                           QStringLiteral("11.00"), QStringLiteral("12.00"), QStringLiteral("13.00"),
                           QStringLiteral("14.00")});
    cmb_ora_ann->setCurrentIndex(-1);
    edt_sca_ann = new QLineEdit(entry);
    edt_sca_ann->setObjectName(QStringLiteral("edt_sca_ann"));
    edt_sca_ann->setMaxLength(250);

    auto *fields = new QGridLayout(entry);
    fields->setContentsMargins(0, 0, 0, 0);
    addLabelled(*fields, 0, 0, QStringLiteral("Giorno"), cmb_gg_ann);
    addLabelled(*fields, 0, 1, QStringLiteral("Mese"), cmb_mm_ann);
    addLabelled(*fields, 0, 2, QStringLiteral("Ora"), edt_ora_ann);
    // A list's name reaches a screen reader only through its label: its
    // own name is the hour shown.
    addLabelled(*fields, 0, 3, QStringLiteral("Ora proposta"), cmb_ora_ann);
    addLabelled(*fields, 0, 4, QStringLiteral("Descrizione scadenza annuale"), edt_sca_ann);
    fields->setColumnStretch(4, 1);
    return entry;
}

QGroupBox *AnnualPage::buildGenerationBox()
{
    GroupBox_imposta = new QGroupBox(QStringLiteral("IMPOSTA SCADENZE"), this);
    GroupBox_imposta->setObjectName(QStringLiteral("GroupBox_imposta"));
    edt_anno_scad = new QLineEdit(GroupBox_imposta);
    edt_anno_scad->setObjectName(QStringLiteral("edt_anno_scad"));
    edt_anno_scad->setMaxLength(4);
    edt_anno_scad->setFixedWidth(60);
    edt_anno_scad->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]{0,4}")), edt_anno_scad));
    QLabel *label = fieldLabel(QStringLiteral("Inserisci tutte le scadenze           annuali in elenco nell'anno"),
                               edt_anno_scad);
    label->setWordWrap(true);
    label->setFixedWidth(190);
    BitBtn18 = namedButton(GroupBox_imposta, "BitBtn18", QStringLiteral(" Avvia operazione"));
    auto *row = new QHBoxLayout(GroupBox_imposta);
    row->addWidget(label);
    row->addWidget(edt_anno_scad);
    row->addWidget(BitBtn18);
    return GroupBox_imposta;
}

void AnnualPage::generate()
{
    if (m_generation->run(edt_anno_scad->text()))
        Q_EMIT deadlinesStored();
}

void AnnualPage::removeAll()
{
    if (!dialogs().question(QStringLiteral("Continuando tutte le scadenze annuali verranno ELIMINATE?\nConfermare operazione?")))
        return;
    dm().sblocca(QStringLiteral("1"));
    dm().run(QStringLiteral("DELETE FROM ANNUALI"));
    try {
        // The next row gets the first number again.
        dm().run(QStringLiteral("ALTER SEQUENCE GEN_ANNUALI_ID RESTART WITH 0"));
    } catch (const std::exception &e) {
        dialogs().information(QStringLiteral("Errore!\n") + QString::fromUtf8(e.what()));
        return;
    }
    dm().reopen(resultSet());
    takeRow();
    grid()->refresh();
    dialogs().information(QStringLiteral("Scadenze annuali Eliminate!"));
}

void AnnualPage::clearFields()
{
    edt_sca_ann->clear();
    cmb_gg_ann->setCurrentIndex(-1);
    cmb_mm_ann->setCurrentIndex(-1);
    edt_anno_scad->clear();
    edt_ora_ann->setText(initialTime);
}

void AnnualPage::fillFields()
{
    const fb::ResultSet &row = resultSet();
    edt_sca_ann->setText(row.value(QStringLiteral("scadenza")).toString());
    cmb_gg_ann->setCurrentIndex(row.value(QStringLiteral("giorno")).toInt() - 1);
    cmb_mm_ann->setCurrentIndex(row.value(QStringLiteral("mese")).toInt() - 1);
    edt_ora_ann->setText(row.value(QStringLiteral("ora")).toString());
}

bool AnnualPage::filled() const
{
    return cmb_gg_ann->currentIndex() >= 0 && cmb_mm_ann->currentIndex() >= 0 && !edt_sca_ann->text().isEmpty();
}

// A time partly typed is as missing as a blank one: it could never be announced.
bool AnnualPage::checkTime() const
{
    if (edt_ora_ann->time().isValid())
        return true;
    dialogs().warning(QStringLiteral("Dati mancanti!"));
    return false;
}

// The day must exist in the month of the current year.
bool AnnualPage::checkDay() const
{
    const int year = sql::dateText(now().date()).right(4).toInt();
    if (QDate(year, chosenNumber(*cmb_mm_ann), chosenNumber(*cmb_gg_ann)).isValid())
        return true;
    dialogs().warning(QStringLiteral("Il giorno del mese indicato è inesistenze!"));
    return false;
}

int AnnualPage::sameMoment(qlonglong except) const
{
    const fb::ResultSet &set = resultSet();
    const int day = set.columnIndex(QStringLiteral("giorno"));
    const int month = set.columnIndex(QStringLiteral("mese"));
    const int time = set.columnIndex(QStringLiteral("ora"));
    const int id = set.columnIndex(QStringLiteral("id"));
    for (int r = 0; r < set.rowCount(); ++r) {
        if (set.value(r, day).toLongLong() == chosenNumber(*cmb_gg_ann)
            && set.value(r, month).toLongLong() == chosenNumber(*cmb_mm_ann)
            && set.value(r, time).toString() == edt_ora_ann->text() && set.value(r, id).toLongLong() != except)
            return r;
    }
    return -1;
}

bool AnnualPage::checkInsert()
{
    if (!checkTime() || !checkDay())
        return false;
    const int row = sameMoment(-1);
    if (row < 0)
        return true;
    // As after any search: the list stands on the row found, and Modifica
    // and Elimina act on the row the grid shows.
    resultSet().setRow(row);
    takeRow();
    grid()->showCurrentRow();
    dialogs().warning(momentTaken);
    return false;
}

// As for an insert, but the row being changed may keep its own moment, and
// stays the page's row: pressing again must not change the row found.
bool AnnualPage::checkModify()
{
    if (!checkTime() || !checkDay())
        return false;
    if (sameMoment(rowId()) < 0)
        return true;
    dialogs().warning(momentTaken);
    return false;
}

QString AnnualPage::insertStatement() const
{
    return QStringLiteral("INSERT INTO annuali(scadenza,giorno,mese,ora) VALUES('") + testo_sql(edt_sca_ann->text())
           + QStringLiteral("', ") + cmb_gg_ann->currentText() + QStringLiteral(", ") + cmb_mm_ann->currentText()
           + QStringLiteral(", '") + testo_sql(edt_ora_ann->text()) + QStringLiteral("')");
}

QString AnnualPage::updateStatement(const QString &id) const
{
    return QStringLiteral("UPDATE annuali SET scadenza='") + testo_sql(edt_sca_ann->text()) + QStringLiteral("', ")
           + QStringLiteral("giorno=") + cmb_gg_ann->currentText() + QStringLiteral(", ") + QStringLiteral("mese=")
           + cmb_mm_ann->currentText() + QStringLiteral(", ") + QStringLiteral("ora='") + testo_sql(edt_ora_ann->text())
           + QStringLiteral("' ") + QStringLiteral("WHERE id=") + id;
}

QString AnnualPage::typedKey() const
{
    return edt_sca_ann->text();
}

} // namespace velmora
