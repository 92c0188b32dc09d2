#include "messages/Fsms.h"

#include "db/Fdm.h"
#include "db/Statements.h"
#include "db/Texts.h"
#include "messages/Messages.h"
#include "platform/Dialogs.h"
#include "platform/ErrorReport.h"
#include "widgets/FieldLabel.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGuiApplication>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QStyle>

#include <algorithm>

namespace velmora {

namespace {

const QSize windowSize(420, 320);

QPushButton *button(const char *name, const QString &caption, QStyle::StandardPixmap icon, QWidget *parent)
{
    auto *b = new QPushButton(parent->style()->standardIcon(icon), caption, parent);
    b->setObjectName(QLatin1String(name));
    return b;
}

} // namespace

Tfrm_sms::Tfrm_sms(Tdm &dm, std::function<QString()> sender, QWidget *parent)
    : QWidget(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint
                          | Qt::MSWindowsFixedSizeDialogHint),
      cmb_utente(new QComboBox(this)),
      lbl_pc(new QLabel(this)),
      memo_sms(new QPlainTextEdit(this)),
      BitBtn1(button("BitBtn1", QStringLiteral("Invia"), QStyle::SP_DialogApplyButton, this)),
      BitBtn13(button("BitBtn13", QStringLiteral("Esci"), QStyle::SP_DialogCloseButton, this)),
      m_dm(dm),
      m_sender(std::move(sender))
{
    setObjectName(QStringLiteral("frm_sms"));
    setWindowTitle(QStringLiteral("Velmora - Messaggio"));
    setWindowModality(Qt::ApplicationModal);

    cmb_utente->setObjectName(QStringLiteral("cmb_utente"));
    cmb_utente->setEditable(false);
    lbl_pc->setObjectName(QStringLiteral("lbl_pc"));
    lbl_pc->hide();
    memo_sms->setObjectName(QStringLiteral("memo_sms"));

    auto *layout = new QGridLayout(this);
    layout->addWidget(fieldLabel(QStringLiteral("Invia a:"), cmb_utente), 0, 0, 1, 3);
    layout->addWidget(cmb_utente, 1, 0, 1, 3);
    layout->addWidget(fieldLabel(QStringLiteral("Messaggio"), memo_sms), 2, 0, 1, 3);
    layout->addWidget(memo_sms, 3, 0, 1, 3);
    layout->addWidget(BitBtn1, 4, 1);
    layout->addWidget(BitBtn13, 4, 2);
    layout->setColumnStretch(0, 1);
    layout->setRowStretch(3, 1);
    setFixedSize(windowSize);

    connect(cmb_utente, &QComboBox::currentIndexChanged, this, guardedSlot(this, &Tfrm_sms::choose));
    connect(memo_sms, &QPlainTextEdit::textChanged, this, guardedSlot(this, &Tfrm_sms::keepWithinColumn));
    connect(BitBtn1, &QPushButton::clicked, this, guardedSlot(this, &Tfrm_sms::send));
    connect(BitBtn13, &QPushButton::clicked, this, [this] { guarded([this] { close(); }); });
}

void Tfrm_sms::openFromMenu()
{
    fb::ResultSet &t_pc = m_dm.t_pc;
    // The width of the column, in a set of its own: the poll's may be
    // closed by a failed read.
    fb::ResultSet column;
    try {
        m_dm.open(t_pc, sql::users());
        m_dm.open(column, QStringLiteral("select messaggio from messaggi where 1=0"));
    } catch (const std::exception &) {
        dialogs().warning(notConnectedWarning());
        return;
    }
    if (t_pc.rowCount() == 0) {
        dialogs().warning(QStringLiteral("Prima di inviare messaggi bisogna caricare gli Utenti/PC!"));
        return;
    }
    m_names = t_pc.texts(QStringLiteral("utente"));
    m_pcs = t_pc.texts(QStringLiteral("pc"));
    m_maxLength = column.declaredWidth(QStringLiteral("messaggio"));
    showEmpty();
}

void Tfrm_sms::showEmpty()
{
    memo_sms->clear();
    cmb_utente->clear();
    cmb_utente->addItems(m_names);
    cmb_utente->setCurrentIndex(-1);
    move(QGuiApplication::primaryScreen()->availableGeometry().center() - rect().center());
    show();
    raise();
    activateWindow();
}

// As wherever a name is searched: the first person of that name in the
// directory's order, ignoring case.
void Tfrm_sms::choose(int index)
{
    const QString name = cmb_utente->itemText(index);
    if (name.isEmpty())
        return;
    const auto found = std::find_if(m_names.cbegin(), m_names.cend(), [&name](const QString &n) {
        return n.compare(name, Qt::CaseInsensitive) == 0;
    });
    lbl_pc->setText(m_pcs.at(found - m_names.cbegin()));
}

void Tfrm_sms::send()
{
    // Blanks and line breaks alone are a message.
    if (cmb_utente->currentIndex() < 0 || memo_sms->toPlainText().isEmpty()) {
        dialogs().warning(QStringLiteral("Dati mancanti!"));
        return;
    }
    if (!dialogs().question(QStringLiteral("Confermi INVIO?")))
        return;
    try {
        m_dm.run(messages::insertStatement(lbl_pc->text(), memo_sms->toPlainText(), m_sender()));
    } catch (const std::exception &) {
        // The window stays open with the text: the user may send again or leave.
        dialogs().information(QStringLiteral("Inserimento non effettuabile...probabile duplicazione chiave!"));
        return;
    }
    // Stored: a set that cannot be read now is read again by the next poll.
    try {
        m_dm.reopen(m_dm.t_sms);
    } catch (const std::exception &) {
    }
    close();
}

void Tfrm_sms::keepWithinColumn()
{
    const QString text = memo_sms->toPlainText();
    const auto excess = text.size() - m_maxLength;
    if (m_maxLength <= 0 || excess <= 0)
        return;
    // What was just typed or pasted goes: the characters before the cursor.
    QTextCursor cut = memo_sms->textCursor();
    const auto end = cut.position() >= excess ? cut.position() : text.size();
    auto start = end - excess;
    if (start > 0 && text.at(start).isLowSurrogate())
        --start;
    cut.setPosition(static_cast<int>(start));
    cut.setPosition(static_cast<int>(end), QTextCursor::KeepAnchor);
    cut.removeSelectedText();
}

} // namespace velmora
