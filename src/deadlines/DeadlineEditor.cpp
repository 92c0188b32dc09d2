#include "deadlines/DeadlineEditor.h"

#include "db/Fdm.h"
#include "db/Sql.h"
#include "db/Statements.h"
#include "deadlines/PageLinks.h"
#include "platform/Clock.h"
#include "platform/Dialogs.h"
#include "platform/ErrorReport.h"
#include "widgets/FieldLabel.h"
#include "widgets/FocusReason.h"
#include "widgets/MaskedDateEdit.h"

#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QStyle>

namespace velmora {

namespace {

constexpr int longest = 250;
const QString lockStatement = QStringLiteral("UPDATE scadenze SET id=id WHERE ID=");

template <class W>
W *named(W *w, const char *name)
{
    w->setObjectName(QString::fromLatin1(name));
    return w;
}

QPushButton *button(QWidget *parent, const char *name, const QString &caption)
{
    return named(new QPushButton(caption, parent), name);
}

// The column holds a value other than the empty text.
bool filled(const fb::ResultSet &set, const QString &column)
{
    const QVariant v = set.value(column);
    return !v.isNull() && !v.toString().isEmpty();
}

} // namespace

// What the user typed, read once per action.
struct DeadlineEditor::Typed {
    QString text;
    QString dateText;
    QDate date;
    QString hour;
    QString minute;
    QString address;   // untrimmed, as it is stored
    bool blankDate;
    bool hasAddress() const { return !address.trimmed().isEmpty(); }
    bool missing() const { return text.isEmpty() || blankDate || hour.isEmpty() || minute.isEmpty(); }
    QString timeText() const { return hour + QLatin1Char('.') + minute; }
};

DeadlineEditor::DeadlineEditor(Tdm &dm, PageLinks &links, QWidget *parent)
    : QGroupBox(QStringLiteral("DATI"), parent), m_dm(dm), m_links(links)
{
    setObjectName(QStringLiteral("GroupBox7"));
    edt_scad = named(new QLineEdit(this), "edt_scad");
    edt_scad->setMaxLength(longest);
    lbl_caratteri = named(new QLabel(QString::number(longest), this), "lbl_caratteri");
    mke_data_scad = named(new MaskedDateEdit(this), "mke_data_scad");
    edt_ora = named(new QLineEdit(this), "edt_ora");
    edt_min = named(new QLineEdit(this), "edt_min");
    const QRegularExpression digits(QStringLiteral("[0-9]{0,2}"));
    for (QLineEdit *f : {edt_ora, edt_min}) {
        f->setMaxLength(2);
        // Only digits get through; every other key is dropped.
        f->setValidator(new QRegularExpressionValidator(digits, f));
        f->setFixedWidth(36);
        f->installEventFilter(this);
    }
    cmb_utente_scad = named(new QComboBox(this), "cmb_utente_scad");
    cmb_utente_scad->setToolTip(QStringLiteral("Lasciare in bianco se si vuole visualizzare la scadenza su tutti i computer"));
    cmb_utente_scad->installEventFilter(this);
    edt_mail_dest = named(new QComboBox(this), "edt_mail_dest");
    edt_mail_dest->setEditable(true);
    edt_mail_dest->setInsertPolicy(QComboBox::NoInsert);
    lbl_pc_sca = named(new QLabel(QStringLiteral("tutti"), this), "lbl_pc_sca");
    lbl_id_scadenza = named(new QLabel(this), "lbl_id_scadenza");
    lbl_pc_sca->hide();
    lbl_id_scadenza->hide();

    auto *grid = new QGridLayout(this);
    // Each label close above its field: the page fits a laptop's screen.
    grid->setVerticalSpacing(2);
    grid->setContentsMargins(6, 4, 6, 4);
    auto *caption = new QHBoxLayout;
    caption->addWidget(fieldLabel(QStringLiteral("Scadenza"), edt_scad));
    caption->addStretch();
    caption->addWidget(new QLabel(QStringLiteral("( caratteri disponibili:"), this));
    caption->addWidget(lbl_caratteri);
    caption->addWidget(new QLabel(QStringLiteral(")"), this));
    grid->addLayout(caption, 0, 0, 1, 4);
    grid->addWidget(edt_scad, 1, 0, 1, 4);
    grid->addWidget(fieldLabel(QStringLiteral("Data"), mke_data_scad), 2, 0);
    grid->addWidget(fieldLabel(QStringLiteral("Ora"), edt_ora), 2, 1);
    grid->addWidget(fieldLabel(QStringLiteral("Min."), edt_min), 2, 3);
    grid->addWidget(mke_data_scad, 3, 0);
    grid->addWidget(edt_ora, 3, 1);
    grid->addWidget(new QLabel(QStringLiteral(":"), this), 3, 2);
    grid->addWidget(edt_min, 3, 3);
    grid->addWidget(fieldLabel(QStringLiteral("Da visualizzare solo sul PC di:"), cmb_utente_scad), 4, 0, 1, 4);
    grid->addWidget(cmb_utente_scad, 5, 0, 1, 4);
    grid->addWidget(fieldLabel(QStringLiteral("Invia avviso alla mail:"), edt_mail_dest), 6, 0, 1, 4);
    grid->addWidget(edt_mail_dest, 7, 0, 1, 4);

    Panel4 = named(new QWidget(this), "Panel4");
    bbt_ins = button(Panel4, "bbt_ins", QStringLiteral("Inserisci"));
    bbt_mod = button(Panel4, "bbt_mod", QStringLiteral("Modifica"));
    BitBtn4 = button(Panel4, "BitBtn4", QStringLiteral("Elimina"));
    bbt_pul_scad = button(Panel4, "bbt_pul_scad", QStringLiteral("Pulisci"));
    BitBtn9 = button(Panel4, "BitBtn9", QString());
    BitBtn9->setIcon(style()->standardIcon(QStyle::SP_DialogCloseButton));
    BitBtn9->setToolTip(QStringLiteral("Esci"));
    BitBtn9->setAccessibleName(BitBtn9->toolTip());
    auto *bar = new QHBoxLayout(Panel4);
    bar->setContentsMargins(0, 0, 0, 0);
    for (QPushButton *b : {bbt_ins, bbt_mod, BitBtn4, bbt_pul_scad, BitBtn9})
        bar->addWidget(b);
    grid->addWidget(Panel4, 8, 0, 1, 4);
    setTabOrder(edt_scad, mke_data_scad);
    setTabOrder(mke_data_scad, edt_ora);
    setTabOrder(edt_ora, edt_min);
    setTabOrder(edt_min, cmb_utente_scad);
    setTabOrder(cmb_utente_scad, edt_mail_dest);

    connect(bbt_ins, &QPushButton::clicked, this, guardedSlot(this, &DeadlineEditor::insert));
    connect(bbt_mod, &QPushButton::clicked, this, guardedSlot(this, &DeadlineEditor::modify));
    connect(BitBtn4, &QPushButton::clicked, this, guardedSlot(this, &DeadlineEditor::remove));
    connect(bbt_pul_scad, &QPushButton::clicked, this, guardedSlot(this, &DeadlineEditor::clear));
    connect(cmb_utente_scad, &QComboBox::activated, this, [this] { guarded([this] { chooseAddressee(); }); });
    connect(edt_scad, &QLineEdit::textChanged, this, [this](const QString &text) {
        lbl_caratteri->setText(QString::number(longest - text.size()));
    });
}

DeadlineEditor::Typed DeadlineEditor::typed() const
{
    const QString dateText = mke_data_scad->text();
    return {edt_scad->text(),
            dateText,
            QDate::fromString(dateText, QStringLiteral("dd/MM/yyyy")),
            edt_ora->text(),
            edt_min->text(),
            edt_mail_dest->currentText(),
            mke_data_scad->isBlank()};
}

bool DeadlineEditor::checkMoment(const Typed &t) const
{
    const QDateTime now = velmora::now();
    if (t.date < now.date()) {
        dialogs().warning(QStringLiteral("La data di scadenza non può essere inferiore alla data di oggi!!"));
        return false;
    }
    const QTime due(t.hour.toInt(), t.minute.toInt(), 0);
    if (t.date == now.date() && now.time() >= due) {
        dialogs().warning(QStringLiteral("L'ora di scadenza non può essere inferiore a data/ora di oggi!!"));
        return false;
    }
    return true;
}

bool DeadlineEditor::checkAddressee(const Typed &t) const
{
    if (!t.hasAddress() || !cmb_utente_scad->currentText().isEmpty())
        return true;
    // Once read, the list holds at least its blank entry. Never read (no
    // connection when the window was shown), it cannot tell whether there is
    // a computer to choose: the deadline would go to every workstation.
    if (cmb_utente_scad->count() == 0)
        dialogs().warning(QStringLiteral("Elenco degli utenti non disponibile: non è possibile scegliere il computer su cui visualizzare l'avviso di avvenuto invio!\n"
                                         "Verificare che il Server sia acceso e che la connessione sia stabilita, quindi riaprire la finestra."));
    else
        dialogs().warning(QStringLiteral("Per le scadenze da inviare a mezzo mail è necessario scegliere il computer su cui visualizzare l'avviso di avvenuto invio!"));
    return false;
}

bool DeadlineEditor::checkSettings() const
{
    m_dm.open(m_dm.t_par, sql::settings());
    bool complete = m_dm.t_par.rowCount() > 0;
    for (const char *column : {"smtp", "porta_smtp", "user_name", "pw", "mail_mitt", "nome_mitt"})
        complete = complete && filled(m_dm.t_par, QString::fromLatin1(column));
    m_dm.t_par.close();
    if (!complete)
        dialogs().warning(QStringLiteral("Per inviare una scadenza via mail è necessario \"Configurare invio mail\" dalla tendina Parametri!"));
    return complete;
}

bool DeadlineEditor::checkAddress(const Typed &t) const
{
    if (t.address.isEmpty() || t.address.contains(QLatin1Char('@')))
        return true;
    dialogs().warning(QStringLiteral("La mail digitata risulta errata!"));
    return false;
}

bool DeadlineEditor::checkHoliday(const Typed &t) const
{
    if (!m_dm.t_fes.isOpen())
        m_dm.open(m_dm.t_fes, sql::holidays());
    const QVariantList dayMonth{qlonglong(t.dateText.left(2).toInt()), qlonglong(t.dateText.mid(3, 2).toInt())};
    if (!m_dm.t_fes.locate(QStringLiteral("giorno;mese"), dayMonth, false))
        return true;
    return dialogs().question(QStringLiteral("Il giorno risulta essere festivo, confermare ugualmente?"));
}

bool DeadlineEditor::confirm(const Typed &t, const QString &withMail, const QString &plain) const
{
    if (!t.hasAddress())
        return dialogs().question(plain);
    return dialogs().question(QStringLiteral("La scadenza verrà inviata alla mail \"") + t.address
                              + QStringLiteral("\"\nVerificare attentamente tale indirizzo per assicurarsi che l'invio vada a buon fine...\n")
                              + withMail);
}

void DeadlineEditor::padTime()
{
    for (QLineEdit *f : {edt_ora, edt_min})
        if (f->text().size() == 1)
            f->setText(QLatin1Char('0') + f->text());
}

QString DeadlineEditor::storedTime() const
{
    return edt_ora->text() + QLatin1Char('.') + edt_min->text();
}

void DeadlineEditor::insert()
{
    const Typed t = typed();
    if (t.missing()) {
        dialogs().warning(QStringLiteral("Dati mancanti!"));
        return;
    }
    if (!checkMoment(t))
        return;
    if (m_dm.t_sca.locate(QStringLiteral("data;ora"), {t.date, t.timeText()}, true)) {
        m_links.showGeneralRow();
        dialogs().warning(QStringLiteral("Scadenza già esistente in questa data/ora...inserimento non consentito!"));
        return;
    }
    if (!checkAddressee(t))
        return;
    if ((t.hasAddress() && !checkSettings()) || !checkAddress(t) || !checkHoliday(t)
        || !confirm(t, QStringLiteral("Confermi INVIO/INSERIMENTO?"), QStringLiteral("Confermi INSERIMENTO?")))
        return;
    m_dm.sblocca(QStringLiteral("1"));
    padTime();
    try {
        m_dm.run(QStringLiteral("INSERT INTO scadenze(scadenza,data,ora,pc,mail) VALUES('") + testo_sql(t.text)
                 + QStringLiteral("', ") + data_sql(t.dateText) + QStringLiteral(", '") + storedTime()
                 + QStringLiteral("', '") + testo_sql(lbl_pc_sca->text()) + QStringLiteral("', '")
                 + testo_sql(t.address) + QStringLiteral("')"));
    } catch (const std::exception &) {
        dialogs().information(QStringLiteral("Inserimento non effettuabile...probabile duplicazione chiave!"));
        return;
    }
    m_links.rereadLists();
    m_dm.t_sca.locate(QStringLiteral("scadenza"), {t.text}, true);
    m_links.showGeneralRow();
    m_links.repaintCalendar();
    clear();
}

void DeadlineEditor::modify()
{
    const Typed t = typed();
    if (t.missing()) {
        dialogs().warning(QStringLiteral("Selezionare prima la scadenza da modificare!"));
        return;
    }
    if (!checkMoment(t))
        return;
    // A change gets the same guard as an insert: a mail needs a workstation
    // to show that it was sent.
    if (!checkAddressee(t))
        return;
    if ((t.hasAddress() && !checkSettings()) || !checkAddress(t))
        return;
    fb::ResultSet &list = m_dm.t_sca;
    const fb::ResultSet::Bookmark mark = list.bookmark();
    const bool unchanged = !list.eof()
                           && sql::dateText(list.value(QStringLiteral("data")).toDate()) == t.dateText
                           && list.value(QStringLiteral("ora")).toString() == t.timeText();
    if (!unchanged && list.locate(QStringLiteral("data;ora"), {t.date, t.timeText()}, true)) {
        dialogs().warning(QStringLiteral("Scadenza già esistente in questa data/ora...modifica non consentita!"));
        list.gotoBookmark(mark);
        m_links.showGeneralRow();
        return;
    }
    if (!checkHoliday(t)
        || !confirm(t, QStringLiteral("Confermi INVIO/MODIFICA?"), QStringLiteral("Confermi MODIFICA?")))
        return;
    m_dm.sblocca(QStringLiteral("1"));
    padTime();
    const QString id = lbl_id_scadenza->text();
    try {
        m_dm.run(QStringLiteral("UPDATE scadenze SET scadenza='") + testo_sql(t.text) + QStringLiteral("', data=")
                 + data_sql(t.dateText) + QStringLiteral(", letto=null, ora='") + storedTime()
                 + QStringLiteral("', mail='") + testo_sql(t.address) + QStringLiteral("', pc='")
                 + testo_sql(lbl_pc_sca->text()) + QStringLiteral("' WHERE id=") + id);
    } catch (const std::exception &) {
        dialogs().information(QStringLiteral("Modifica non effettuabile...probabile duplicazione chiave!"));
        return;
    }
    m_links.rereadLists();
    if (!list.locate(QStringLiteral("id"), {id.toLongLong()}, false))
        dialogs().warning(QStringLiteral("Scadenza eliminata da altro utente... operazione non consentita!!"));
    else
        list.locate(QStringLiteral("scadenza"), {t.text}, true);
    m_links.showGeneralRow();
    m_links.repaintCalendar();
    clear();
}

void DeadlineEditor::remove()
{
    if (typed().missing()) {
        dialogs().warning(QStringLiteral("Selezionare prima la scadenza da eliminare!"));
        return;
    }
    if (!dialogs().question(QStringLiteral("Confermi ELIMINAZIONE?")))
        return;
    m_dm.sblocca(QStringLiteral("1"));
    m_dm.run(QStringLiteral("DELETE FROM scadenze WHERE id=") + lbl_id_scadenza->text());
    m_links.rereadLists();
    m_links.repaintCalendar();
    clear();
}

void DeadlineEditor::clear()
{
    lbl_id_scadenza->clear();
    edt_scad->clear();
    mke_data_scad->setText(QString());
    edt_ora->clear();
    edt_min->clear();
    cmb_utente_scad->setCurrentIndex(cmb_utente_scad->count() > 0 ? 0 : -1);
    edt_mail_dest->setEditText(QString());
    lbl_pc_sca->setText(QStringLiteral("tutti"));
    bbt_mod->setEnabled(false);
    bbt_ins->setEnabled(true);
    m_dm.sblocca(QStringLiteral("1"));
}

void DeadlineEditor::selectRow()
{
    const fb::ResultSet &list = m_dm.t_sca;
    if (list.rowCount() == 0 || list.eof())
        return;
    clear();
    const qlonglong id = list.value(QStringLiteral("id")).toLongLong();
    if (!m_dm.blocca(lockStatement, id)) {
        dialogs().plain(QStringLiteral("Record bloccato da un altro utente!"));
        return;
    }
    const QString time = list.value(QStringLiteral("ora")).toString();
    lbl_id_scadenza->setText(QString::number(id));
    edt_scad->setText(list.value(QStringLiteral("scadenza")).toString());
    mke_data_scad->setText(sql::dateText(list.value(QStringLiteral("data")).toDate()));
    edt_ora->setText(time.left(2));
    edt_min->setText(time.mid(3, 2));
    const QVariant pc = list.value(QStringLiteral("pc"));
    if (!pc.isNull()) {
        lbl_pc_sca->setText(pc.toString());
        if (m_dm.t_pc.isOpen() && m_dm.t_pc.locate(QStringLiteral("pc"), {pc}, true))
            cmb_utente_scad->setCurrentText(m_dm.t_pc.value(QStringLiteral("utente")).toString());
    }
    const QVariant mail = list.value(QStringLiteral("mail"));
    if (!mail.isNull())
        edt_mail_dest->setEditText(mail.toString());
    bbt_mod->setEnabled(true);
    bbt_ins->setEnabled(false);
}

void DeadlineEditor::chooseAddressee()
{
    lbl_pc_sca->setText(QStringLiteral("tutti"));
    const QString name = cmb_utente_scad->currentText();
    if (!name.isEmpty() && m_dm.t_pc.isOpen() && m_dm.t_pc.locate(QStringLiteral("utente"), {name}, true))
        lbl_pc_sca->setText(m_dm.t_pc.value(QStringLiteral("pc")).toString());
}

void DeadlineEditor::presetTime()
{
    const QTime t = velmora::now().time();
    edt_ora->setText(t.toString(QStringLiteral("hh")));
    edt_min->setText(t.toString(QStringLiteral("mm")));
}

void DeadlineEditor::fillLists(const QStringList &users, const QVariant &addresses)
{
    const QString chosen = cmb_utente_scad->currentText();
    cmb_utente_scad->clear();
    cmb_utente_scad->addItem(QString());
    cmb_utente_scad->addItems(users);
    cmb_utente_scad->setCurrentText(chosen);
    if (!addresses.isNull()) {
        const QString typedAddress = edt_mail_dest->currentText();
        edt_mail_dest->clear();
        edt_mail_dest->addItems(addresses.toString().split(QRegularExpression(QStringLiteral("\r\n|\r|\n"))));
        edt_mail_dest->setEditText(typedAddress);
    }
}

void DeadlineEditor::leaveTimeField(QLineEdit *field, int highest, const QString &refusal)
{
    if (field->text().isEmpty())
        return;
    if (field->text().size() == 1)
        field->setText(QLatin1Char('0') + field->text());
    if (field->text().toInt() > highest) {
        const QString text = field->text();
        field->clear();
        dialogs().information(text + refusal);
    }
}

bool DeadlineEditor::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == cmb_utente_scad && event->type() == QEvent::KeyPress
        && !static_cast<QKeyEvent *>(event)->text().isEmpty())
        return true;   // only the entries of the list can be chosen
    if (event->type() == QEvent::FocusOut && leftWithinWindow(static_cast<QFocusEvent *>(event))) {
        if (watched == edt_ora)
            guarded([this] { leaveTimeField(edt_ora, 23, QStringLiteral(" non è un ora valida!")); });
        else if (watched == edt_min)
            guarded([this] { leaveTimeField(edt_min, 59, QStringLiteral(" non sono minuti validi!")); });
    }
    return QGroupBox::eventFilter(watched, event);
}

} // namespace velmora
