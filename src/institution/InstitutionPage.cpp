#include "institution/InstitutionPage.h"

#include "db/Fdm.h"
#include "db/Sql.h"
#include "db/Statements.h"
#include "db/Texts.h"
#include "platform/Clock.h"
#include "platform/Dialogs.h"
#include "platform/Error.h"
#include "platform/ErrorReport.h"
#include "widgets/FieldLabel.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

#include <algorithm>

namespace velmora {

namespace {

constexpr int daysToFirstCopy = 7;

QLineEdit *lineField(QWidget *parent, const char *name, int limit)
{
    auto *field = new QLineEdit(parent);
    field->setObjectName(QLatin1String(name));
    field->setMaxLength(limit);
    return field;
}

QGroupBox *group(const QString &title, const char *name, QWidget *parent)
{
    auto *box = new QGroupBox(title, parent);
    box->setObjectName(QLatin1String(name));
    return box;
}

// A field under its label, the label naming it for screen readers.
void place(QGridLayout *grid, const char *label, QLineEdit *field, int row, int column, int span = 1)
{
    grid->addWidget(fieldLabel(QString::fromUtf8(label), field), 2 * row, column, 1, span);
    grid->addWidget(field, 2 * row + 1, column, 1, span);
}

// An empty ente has no row to update: one is made first. Another
// workstation that made it meanwhile is left alone.
const QString rowIfMissing = QStringLiteral(
    "INSERT INTO ente (denom) SELECT NULL FROM RDB$DATABASE WHERE NOT EXISTS (SELECT 1 FROM ente)");

} // namespace

// One text column of the row and the field that shows it.
struct InstitutionPage::Field {
    QString column;
    QLineEdit *edit;
};

InstitutionPage::InstitutionPage(Tdm &dm, QWidget *parent) : QWidget(parent), m_dm(dm)
{
    buildDati();
    buildHidden();

    bbt_mod_rap = new QPushButton(QStringLiteral("Salva"), this);
    bbt_mod_rap->setObjectName(QStringLiteral("bbt_mod_rap"));
    bbt_mod_rap->setIcon(style()->standardIcon(QStyle::SP_DialogSaveButton));
    BitBtn5 = new QPushButton(QStringLiteral("Esci"), this);
    BitBtn5->setObjectName(QStringLiteral("BitBtn5"));
    BitBtn5->setIcon(style()->standardIcon(QStyle::SP_DialogCloseButton));
    auto *panel = new QWidget(this);
    panel->setObjectName(QStringLiteral("pnl_ente_pulsanti"));
    auto *buttons = new QHBoxLayout(panel);
    buttons->setContentsMargins(0, 0, 0, 0);
    buttons->addStretch();
    buttons->addWidget(bbt_mod_rap);
    buttons->addWidget(BitBtn5);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(GroupBox_dati);
    for (QWidget *hidden : {static_cast<QWidget *>(GroupBox_dirigente), static_cast<QWidget *>(GroupBox_dsga),
                            static_cast<QWidget *>(GroupBox_anno), static_cast<QWidget *>(lbl_dcopia)}) {
        layout->addWidget(hidden);
        hidden->hide();
    }
    layout->addStretch();
    layout->addWidget(panel);

    connect(bbt_mod_rap, &QPushButton::clicked, this, guardedSlot(this, &InstitutionPage::save));
}

void InstitutionPage::buildDati()
{
    GroupBox_dati = group(QStringLiteral("DATI"), "GroupBox_dati", this);
    QWidget *g = GroupBox_dati;
    edt_denom = lineField(g, "edt_denom", 150);
    edt_dedica = lineField(g, "edt_dedica", 20);
    edt_indir = lineField(g, "edt_indir", 100);
    edt_com_ente = lineField(g, "edt_com_ente", 50);
    // Two narrow fields sharing one column of the group.
    auto *capPr = new QWidget(g);
    capPr->setObjectName(QStringLiteral("pnl_cap_pr"));
    edt_cap_ente = lineField(capPr, "edt_cap_ente", 5);
    edt_pr_ente = lineField(capPr, "edt_pr_ente", 2);
    edt_cf_ente = lineField(g, "edt_cf_ente", 11);
    edt_cm_ente = lineField(g, "edt_cm_ente", 10);
    edt_tel_ente = lineField(g, "edt_tel_ente", 13);
    edt_fax_ente = lineField(g, "edt_fax_ente", 13);
    edt_mail_ente = lineField(g, "edt_mail_ente", 50);
    edt_sito_ente = lineField(g, "edt_sito_ente", 50);

    auto *grid = new QGridLayout(g);
    place(grid, "Denominazione", edt_denom, 0, 0, 3);
    place(grid, "Dedica", edt_dedica, 0, 3);
    place(grid, "Indirizzo", edt_indir, 1, 0, 2);
    place(grid, "Comune", edt_com_ente, 1, 2);
    auto *capPrGrid = new QGridLayout(capPr);
    capPrGrid->setContentsMargins(0, 0, 0, 0);
    place(capPrGrid, "C.a.p.", edt_cap_ente, 0, 0);
    place(capPrGrid, "PR", edt_pr_ente, 0, 1);
    grid->addWidget(capPr, 2, 3, 2, 1);
    place(grid, "Codice Fiscale", edt_cf_ente, 2, 0);
    place(grid, "Codice Meccanografico", edt_cm_ente, 2, 1);
    place(grid, "Telefono", edt_tel_ente, 2, 2);
    place(grid, "Fax", edt_fax_ente, 2, 3);
    place(grid, "E-Mail", edt_mail_ente, 3, 0, 2);
    place(grid, "Sito", edt_sito_ente, 3, 2, 2);
    for (int c = 0; c < 4; ++c)
        grid->setColumnStretch(c, 1);
}

// A hidden group of a person: the name and the tax code.
QGroupBox *InstitutionPage::personGroup(const QString &title, const char *name, QLineEdit *&person,
                                        const char *personName, QLineEdit *&code, const char *codeName)
{
    QGroupBox *box = group(title, name, this);
    person = lineField(box, personName, 30);
    code = lineField(box, codeName, 16);
    auto *grid = new QGridLayout(box);
    place(grid, "Nominativo", person, 0, 0);
    place(grid, "Codice fiscale", code, 0, 1);
    return box;
}

void InstitutionPage::buildHidden()
{
    GroupBox_dirigente = personGroup(QStringLiteral("DIRIGENTE SCOLATICO"), "GroupBox_dirigente", edt_dirigente,
                                     "edt_dirigente", edt_cf_dirigente, "edt_cf_dirigente");
    GroupBox_dsga = personGroup(QStringLiteral("D.S.G.A."), "GroupBox_dsga", edt_dsga, "edt_dsga", edt_cf_dsga,
                                "edt_cf_dsga");

    GroupBox_anno = group(QString(), "GroupBox_anno", this);
    edt_anno_scol = lineField(GroupBox_anno, "edt_anno_scol", 9);
    place(new QGridLayout(GroupBox_anno), "ANNO SCOLASTICO", edt_anno_scol, 0, 0);

    lbl_dcopia = new QLabel(this);
    lbl_dcopia->setObjectName(QStringLiteral("lbl_dcopia"));
}

// In the order in which the row is read into the page.
QList<InstitutionPage::Field> InstitutionPage::fields() const
{
    return {{QStringLiteral("denom"), edt_denom},        {QStringLiteral("dedica"), edt_dedica},
            {QStringLiteral("indir"), edt_indir},        {QStringLiteral("comune"), edt_com_ente},
            {QStringLiteral("cap"), edt_cap_ente},       {QStringLiteral("pr"), edt_pr_ente},
            {QStringLiteral("cf"), edt_cf_ente},         {QStringLiteral("cm"), edt_cm_ente},
            {QStringLiteral("tel"), edt_tel_ente},       {QStringLiteral("fax"), edt_fax_ente},
            {QStringLiteral("mail"), edt_mail_ente},     {QStringLiteral("sito"), edt_sito_ente},
            {QStringLiteral("dirigente"), edt_dirigente}, {QStringLiteral("cf_dirigente"), edt_cf_dirigente},
            {QStringLiteral("dsga"), edt_dsga},          {QStringLiteral("cf_dsga"), edt_cf_dsga},
            {QStringLiteral("anno_scol"), edt_anno_scol}};
}

bool InstitutionPage::open()
{
    try {
        m_dm.open(m_dm.t_ente, sql::institution());
    } catch (const Error &e) {
        dialogs().warning(notConnectedWarning(e.text()));
        return false;
    }
    const fb::ResultSet &row = m_dm.t_ente;
    const bool hasRow = row.rowCount() > 0;
    m_rowMissing = !hasRow;
    for (const Field &f : fields()) {
        f.edit->clear();
        if (hasRow && !row.value(f.column).isNull())
            f.edit->setText(row.value(f.column).toString());
    }
    const QVariant copy = hasRow ? row.value(QStringLiteral("dcopia")) : QVariant();
    lbl_dcopia->setText(sql::dateText(copy.isNull() ? now().date().addDays(daysToFirstCopy) : copy.toDate()));
    return true;
}

// Every text goes through testo_sql, the codes and the site as well: an
// apostrophe typed anywhere is stored, never a broken statement.
QString InstitutionPage::updateStatement() const
{
    const QStringList order{"denom", "dedica", "indir", "comune", "cap", "pr", "cf", "cm", "tel", "fax",
                            "dcopia", "mail", "dirigente", "cf_dirigente", "dsga", "cf_dsga", "anno_scol", "sito"};
    const QList<Field> all = fields();
    QStringList assignments;
    for (const QString &column : order) {
        if (column == QLatin1String("dcopia")) {
            assignments << column + QLatin1Char('=') + data_sql(lbl_dcopia->text());
            continue;
        }
        const auto f = std::find_if(all.begin(), all.end(), [&](const Field &x) { return x.column == column; });
        assignments << column + QStringLiteral("='") + testo_sql(f->edit->text()) + QLatin1Char('\'');
    }
    return QStringLiteral("UPDATE ente SET ") + assignments.join(QStringLiteral(", "));
}

void InstitutionPage::save()
{
    // Blanks count as filled: only a field without any character is missing.
    const QList<const QLineEdit *> essential{edt_denom, edt_indir, edt_com_ente};
    if (std::any_of(essential.begin(), essential.end(), [](const QLineEdit *f) { return f->text().isEmpty(); })) {
        dialogs().warning(QStringLiteral("Dati essenziali mancanti!"));
        return;
    }
    if (!dialogs().question(QStringLiteral("Confermi operazione?")))
        return;
    if (m_rowMissing) {
        m_dm.run(rowIfMissing);
        m_rowMissing = false;
    }
    m_dm.run(updateStatement());
    m_dm.t_ente.close();
    dialogs().information(QStringLiteral("Dati memorizzati correttamente!"));
}

} // namespace velmora
