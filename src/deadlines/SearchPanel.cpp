#include "deadlines/SearchPanel.h"

#include "db/Fdm.h"
#include "db/Sql.h"
#include "platform/ErrorReport.h"
#include "widgets/FieldLabel.h"
#include "widgets/MailMark.h"
#include "widgets/MaskedDateEdit.h"
#include "widgets/MaskedTimeEdit.h"

#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace velmora {

namespace {

QComboBox *operators(QWidget *parent, const char *name)
{
    auto *c = new QComboBox(parent);
    c->setObjectName(QString::fromLatin1(name));
    c->addItems({QStringLiteral("="), QStringLiteral(">"), QStringLiteral("<")});
    return c;
}

// lower() in the statement folds A to Z only: the typed word the same way.
QString lowerAscii(QString text)
{
    for (QChar &c : text)
        if (c >= QLatin1Char('A') && c <= QLatin1Char('Z'))
            c = QChar(c.unicode() + ('a' - 'A'));
    return text;
}

} // namespace

SearchPanel::SearchPanel(Tdm &dm, QWidget *parent) : QGroupBox(QStringLiteral("CERCA SCADENZE"), parent), m_dm(dm)
{
    setObjectName(QStringLiteral("GroupBox8"));
    setStyleSheet(QStringLiteral("QGroupBox#GroupBox8 { background: #FFFFB3; }"));
    edt_cscad = new QLineEdit(this);
    edt_cscad->setObjectName(QStringLiteral("edt_cscad"));
    cmb_cdata = operators(this, "cmb_cdata");
    mke_cdata = new MaskedDateEdit(this);
    mke_cdata->setObjectName(QStringLiteral("mke_cdata"));
    cmb_cora = operators(this, "cmb_cora");
    edt_cora = new MaskedTimeEdit(this);
    edt_cora->setObjectName(QStringLiteral("edt_cora"));
    cmb_mail = new QComboBox(this);
    cmb_mail->setObjectName(QStringLiteral("cmb_mail"));
    cmb_mail->addItems({QString(), QStringLiteral("S")});
    cmb_mail->installEventFilter(this);
    bbt_pul = new QPushButton(QStringLiteral("Pulisci"), this);
    bbt_pul->setObjectName(QStringLiteral("bbt_pul"));
    bbt_cerca_scad = new QPushButton(QStringLiteral("Cerca"), this);
    bbt_cerca_scad->setObjectName(QStringLiteral("bbt_cerca_scad"));
    bbt_sta_scad = new QPushButton(QStringLiteral("Stampa scadenze generali"), this);
    bbt_sta_scad->setObjectName(QStringLiteral("bbt_sta_scad"));
    img_mail = new QLabel(this);
    img_mail->setObjectName(QStringLiteral("img_mail"));
    img_mail->setPixmap(mailMark());
    img_mail->hide();

    auto *grid = new QGridLayout(this);
    grid->addWidget(fieldLabel(QStringLiteral("Descrizione Scadenza"), edt_cscad), 0, 0, 1, 2);
    grid->addWidget(fieldLabel(QStringLiteral("Data"), mke_cdata), 0, 2, 1, 2);
    grid->addWidget(fieldLabel(QStringLiteral("Ora"), edt_cora), 0, 4, 1, 2);
    grid->addWidget(fieldLabel(QStringLiteral("Mail"), cmb_mail), 0, 6);
    grid->addWidget(edt_cscad, 1, 0, 1, 2);
    grid->addWidget(cmb_cdata, 1, 2);
    grid->addWidget(mke_cdata, 1, 3);
    grid->addWidget(cmb_cora, 1, 4);
    grid->addWidget(edt_cora, 1, 5);
    grid->addWidget(cmb_mail, 1, 6);
    grid->addWidget(bbt_pul, 2, 3);
    grid->addWidget(bbt_cerca_scad, 2, 4, 1, 2);
    grid->addWidget(bbt_sta_scad, 2, 0, 1, 2);
    grid->setColumnStretch(1, 1);
    // The operators stand under the same label as their field. A drop-down
    // list is named by a label of its own over AT-SPI (its name there is its
    // value): one that only screen readers meet.
    fieldLabel(QStringLiteral("Confronto data"), cmb_cdata)->hide();
    fieldLabel(QStringLiteral("Confronto ora"), cmb_cora)->hide();
    setTabOrder(cmb_mail, bbt_sta_scad);
    setTabOrder(bbt_sta_scad, bbt_pul);
    setTabOrder(bbt_pul, bbt_cerca_scad);

    connect(bbt_cerca_scad, &QPushButton::clicked, this, guardedSlot(this, &SearchPanel::search));
    connect(bbt_pul, &QPushButton::clicked, this, guardedSlot(this, &SearchPanel::clear));
}

QString SearchPanel::statement() const
{
    QStringList lines{QStringLiteral("select data, ora, scadenza, mail, letto, pc, id "),
                      QStringLiteral("FROM scadenze WHERE ") + m_dm.pcFilter() + QLatin1Char(' ')};
    if (!edt_cscad->text().isEmpty())
        lines << QStringLiteral("AND lower(scadenza) LIKE ('%") + lowerAscii(testo_sql(edt_cscad->text()))
                     + QStringLiteral("%') ");
    if (!mke_cdata->isBlank())
        lines << QStringLiteral("AND data") + cmb_cdata->currentText() + data_sql(mke_cdata->text())
                     + QLatin1Char(' ');
    if (!edt_cora->isBlank())
        lines << QStringLiteral("AND ora") + cmb_cora->currentText() + QLatin1Char('\'') + testo_sql(edt_cora->text())
                     + QStringLiteral("' ");
    if (cmb_mail->currentText() == QLatin1String("S"))
        lines << QStringLiteral("AND mail LIKE ('%@%') ");
    lines << QStringLiteral("ORDER BY data,ora");
    return lines.join(QLatin1Char('\n'));
}

void SearchPanel::search()
{
    m_dm.t_sca.close();
    try {
        m_dm.open(m_dm.t_sca, statement());
    } catch (...) {
        Q_EMIT listChanged();
        throw;
    }
    Q_EMIT listChanged();
}

void SearchPanel::clear()
{
    edt_cscad->clear();
    mke_cdata->setText(QString());
    edt_cora->setText(QString());
    cmb_mail->setCurrentIndex(0);
    search();
}

bool SearchPanel::eventFilter(QObject *watched, QEvent *event)
{
    // The mail choice is made from its two entries; typed keys are dropped.
    if (watched == cmb_mail && event->type() == QEvent::KeyPress
        && !static_cast<QKeyEvent *>(event)->text().isEmpty())
        return true;
    return QGroupBox::eventFilter(watched, event);
}

} // namespace velmora
