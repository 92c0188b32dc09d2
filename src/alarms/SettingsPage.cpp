#include "alarms/SettingsPage.h"

#include "db/Fdm.h"
#include "db/Sql.h"
#include "db/Statements.h"
#include "db/Texts.h"
#include "platform/Dialogs.h"
#include "platform/Error.h"
#include "platform/ErrorReport.h"
#include "widgets/FieldLabel.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMetaProperty>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStyle>
#include <QTextCursor>
#include <QVBoxLayout>

#include <algorithm>

namespace velmora {

namespace {

constexpr int memoLimit = 1000;
const QColor groupColour(0xD1, 0xDF, 0xC8);

template <class W>
W *named(W *w, const char *name)
{
    w->setObjectName(QString::fromLatin1(name));
    return w;
}

QLineEdit *lineField(QWidget *parent, const char *name, int limit)
{
    auto *field = named(new QLineEdit(parent), name);
    field->setMaxLength(limit);
    return field;
}

QPlainTextEdit *memoField(QWidget *parent, const char *name)
{
    auto *memo = named(new QPlainTextEdit(parent), name);
    // Both scroll bars, as the lines are not wrapped.
    memo->setLineWrapMode(QPlainTextEdit::NoWrap);
    memo->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    return memo;
}

// A memo has no length limit of its own: what goes past the column's width
// is cut off as it is typed or pasted.
void limitLength(QPlainTextEdit *memo, int limit)
{
    QObject::connect(memo, &QPlainTextEdit::textChanged, memo, [memo, limit] {
        guarded([memo, limit] {
            QTextDocument *document = memo->document();
            if (document->characterCount() - 1 <= limit)   // the count includes the last paragraph's end
                return;
            QTextCursor cursor(document);
            cursor.setPosition(limit);
            cursor.movePosition(QTextCursor::End, QTextCursor::KeepAnchor);
            cursor.removeSelectedText();
        });
    });
}

QLabel *boldLabel(const QString &text, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    QFont font = label->font();
    font.setBold(true);
    label->setFont(font);
    return label;
}

// The text of a line or memo through its user property (text, plainText),
// as QDataWidgetMapper reaches any editor.
QString textOf(const QWidget *field)
{
    return field->metaObject()->userProperty().read(field).toString();
}

void setTextOf(QWidget *field, const QString &text)
{
    field->metaObject()->userProperty().write(field, text);
}

} // namespace

// One column of the row and the field that shows it.
struct SettingsPage::Field {
    QString column;
    QWidget *widget;
};

SettingsPage::SettingsPage(Tdm &dm, QWidget *parent)
    : QWidget(parent), m_dm(dm), m_statusmemo(named(new QPlainTextEdit(this), "statusmemo"))
{
    m_statusmemo->hide();
    buildGroup();

    memo_ind_mail = memoField(this, "memo_ind_mail");
    auto *addresses = new QVBoxLayout;
    addresses->addWidget(boldLabel(QStringLiteral("INDIRIZZI MAIL RICORRENTI"), this));
    memo_ind_mail->setAccessibleName(QStringLiteral("INDIRIZZI MAIL RICORRENTI"));
    addresses->addWidget(new QLabel(QStringLiteral("(digitarne uno per riga)"), this));
    addresses->addWidget(memo_ind_mail, 1);

    auto *layout = new QHBoxLayout(this);
    layout->addWidget(GroupBox1, 2);
    layout->addLayout(addresses, 1);

    connect(BitBtn7, &QPushButton::clicked, this, guardedSlot(this, &SettingsPage::save));
}

void SettingsPage::buildGroup()
{
    GroupBox1 = named(new QGroupBox(QStringLiteral("CONFIGURAZIONE EMAIL"), this), "GroupBox1");
    QPalette palette = GroupBox1->palette();
    palette.setColor(QPalette::Window, groupColour);
    GroupBox1->setPalette(palette);
    GroupBox1->setAutoFillBackground(true);

    edt_smtp = lineField(GroupBox1, "edt_smtp", 50);
    edt_porta_smtp = lineField(GroupBox1, "edt_porta_smtp", 5);
    edt_user = lineField(GroupBox1, "edt_user", 50);
    edt_pw = lineField(GroupBox1, "edt_pw", 20);
    edt_pw->setEchoMode(QLineEdit::Password);
    edt_mail_mitt = lineField(GroupBox1, "edt_mail_mitt", 50);
    edt_nome_mitt = lineField(GroupBox1, "edt_nome_mitt", 100);
    edt_oggetto = lineField(GroupBox1, "edt_oggetto", 150);
    memo_inizio = memoField(GroupBox1, "memo_inizio");
    memo_fine = memoField(GroupBox1, "memo_fine");
    for (QPlainTextEdit *memo : {memo_inizio, memo_fine})
        limitLength(memo, memoLimit);
    BitBtn7 = named(new QPushButton(QStringLiteral("Salva"), GroupBox1), "BitBtn7");
    BitBtn7->setIcon(style()->standardIcon(QStyle::SP_DialogSaveButton));
    BitBtn8 = named(new QPushButton(QStringLiteral("Esci"), GroupBox1), "BitBtn8");
    BitBtn8->setIcon(style()->standardIcon(QStyle::SP_DialogCloseButton));

    auto label = [this](const char *text) { return new QLabel(QString::fromUtf8(text), GroupBox1); };
    auto labelFor = [](const char *text, QWidget *field) { return fieldLabel(QString::fromUtf8(text), field); };
    auto *port = new QHBoxLayout;
    port->addWidget(edt_porta_smtp);
    port->addWidget(label("(in genere 25)"));
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(BitBtn7);
    buttons->addWidget(BitBtn8);

    auto *grid = new QGridLayout(GroupBox1);
    grid->setColumnStretch(0, 1);
    grid->addWidget(labelFor("Server SMTP   (es. smtp.istruzione.it)", edt_smtp), 0, 0);
    grid->addWidget(labelFor("Porta SMTP", edt_porta_smtp), 0, 1);
    grid->addWidget(edt_smtp, 1, 0);
    grid->addLayout(port, 1, 1);
    grid->addWidget(labelFor("User Name   (es. codice meccanografico)", edt_user), 2, 0);
    grid->addWidget(labelFor("Password", edt_pw), 2, 1);
    grid->addWidget(edt_user, 3, 0);
    grid->addWidget(edt_pw, 3, 1);
    grid->addWidget(labelFor("E-Mail", edt_mail_mitt), 4, 0, 1, 2);
    grid->addWidget(edt_mail_mitt, 5, 0, 1, 2);
    grid->addWidget(labelFor("Denominazione Mittente", edt_nome_mitt), 6, 0, 1, 2);
    grid->addWidget(edt_nome_mitt, 7, 0, 1, 2);
    grid->addWidget(boldLabel(QStringLiteral("==================== CAMPI MAIL ======================"), GroupBox1),
                    8, 0, 1, 2, Qt::AlignHCenter);
    grid->addWidget(labelFor("Oggetto", edt_oggetto), 9, 0, 1, 2);
    grid->addWidget(edt_oggetto, 10, 0, 1, 2);
    grid->addWidget(labelFor("Messaggio (parte iniziale)", memo_inizio), 11, 0, 1, 2);
    grid->addWidget(memo_inizio, 12, 0, 1, 2);
    grid->addWidget(labelFor("Messaggio (parte finale)", memo_fine), 13, 0, 1, 2);
    grid->addWidget(memo_fine, 14, 0, 1, 2);
    grid->addLayout(buttons, 15, 0, 1, 2);
}

// In the order of the saving statement.
QList<SettingsPage::Field> SettingsPage::fields() const
{
    return {{QStringLiteral("smtp"), edt_smtp},
            {QStringLiteral("porta_smtp"), edt_porta_smtp},
            {QStringLiteral("user_name"), edt_user},
            {QStringLiteral("pw"), edt_pw},
            {QStringLiteral("mail_mitt"), edt_mail_mitt},
            {QStringLiteral("ind_mail"), memo_ind_mail},
            {QStringLiteral("nome_mitt"), edt_nome_mitt},
            {QStringLiteral("oggetto"), edt_oggetto},
            {QStringLiteral("msg_inizio"), memo_inizio},
            {QStringLiteral("msg_fine"), memo_fine}};
}

bool SettingsPage::open()
{
    try {
        m_dm.open(m_dm.t_par, sql::settings());
    } catch (const Error &e) {
        dialogs().warning(notConnectedWarning(e.text()));
        return false;
    }
    const fb::ResultSet &row = m_dm.t_par;
    for (const Field &f : fields()) {
        setTextOf(f.widget, QString());
        if (row.rowCount() > 0 && !row.value(f.column).isNull())
            setTextOf(f.widget, row.value(f.column).toString());
    }
    return true;
}

void SettingsPage::clearAddresses()
{
    memo_ind_mail->clear();
}

QString SettingsPage::updateStatement() const
{
    QStringList assignments;
    // The port as well: an apostrophe in it is stored instead of breaking the statement.
    for (const Field &f : fields())
        assignments << f.column + QStringLiteral("='") + testo_sql(textOf(f.widget)) + QLatin1Char('\'');
    return QStringLiteral("UPDATE parametri SET ") + assignments.join(QStringLiteral(", "));
}

void SettingsPage::save()
{
    const QList<const QLineEdit *> required{edt_smtp, edt_porta_smtp, edt_user, edt_pw, edt_mail_mitt, edt_nome_mitt};
    if (std::any_of(required.begin(), required.end(), [](const QLineEdit *f) { return f->text().isEmpty(); })) {
        dialogs().warning(QStringLiteral("Tutti i dati sono obbligatori!"));
        return;
    }
    if (!dialogs().question(QStringLiteral("Confermi operazione?")))
        return;
    m_dm.run(updateStatement());
    m_dm.t_par.close();
    dialogs().information(QStringLiteral("Dati memorizzati correttamente!"));
}

} // namespace velmora
