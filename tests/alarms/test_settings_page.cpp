// The e-mail settings page: what it shows of the row, the checks of "Salva",
// and what reaches the database.
#include "ScriptedDialogs.h"
#include "TempDatabase.h"
#include "alarms/SettingsPage.h"
#include "db/Texts.h"
#include "db/Upgrade.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QtTest>

#include <memory>

using namespace velmora;
using namespace velmora::test;

namespace {

// The fields in the order of the columns below.
const QStringList fieldNames{"edt_smtp", "edt_porta_smtp", "edt_user", "edt_pw", "edt_mail_mitt",
                             "memo_ind_mail", "edt_nome_mitt", "edt_oggetto", "memo_inizio", "memo_fine"};
const QString columns = QStringLiteral("smtp, porta_smtp, user_name, pw, mail_mitt, ind_mail, nome_mitt, oggetto, msg_inizio, msg_fine");
const QString nullMark = QStringLiteral("<null>");
const QString required = QStringLiteral("warning: Tutti i dati sono obbligatori!");
const QString confirm = QStringLiteral("question: Confermi operazione?");
const QString stored = QStringLiteral("information: Dati memorizzati correttamente!");

const QStringList complete{"smtp.scuola.example", "25", "segreteria", "segreto", "segreteria@scuola.example",
                           "", "Segreteria", "", "", ""};

// The row as the connection step makes it, on the database the cases share.
std::unique_ptr<Tdm> freshSettings(const TempDatabase &db)
{
    db.exec({QStringLiteral("DELETE FROM parametri"), QStringLiteral("INSERT INTO parametri(porta_smtp) VALUES('25')")});
    return db.connect(QStringLiteral("10.0.0.1"));
}

// Every row of parametri, each as its ten values, null shown as <null>.
QList<QStringList> settingsRows(const TempDatabase &db)
{
    const auto dm = db.connect(QStringLiteral("reader"));
    dm->open(dm->t_par, QStringLiteral("select ") + columns + QStringLiteral(" from parametri"));
    QList<QStringList> rows;
    for (int r = 0; r < dm->t_par.rowCount(); ++r) {
        QStringList cells;
        for (int c = 0; c < dm->t_par.columnCount(); ++c) {
            const QVariant v = dm->t_par.value(r, c);
            cells << (v.isNull() ? nullMark : v.toString());
        }
        rows << cells;
    }
    return rows;
}

QStringList freshRow()
{
    QStringList row(fieldNames.size(), nullMark);
    row[1] = QStringLiteral("25");
    return row;
}

// Key by key; QTest knows only the ASCII keys, the rest comes as text.
void typeText(QWidget *field, const QString &text)
{
    for (const QChar c : text) {
        if (c.unicode() < 0x80)
            QTest::keyClick(field, c.toLatin1());
        else
            QTest::sendKeyEvent(QTest::Click, field, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
}

struct Page {
    const TempDatabase &db;
    std::unique_ptr<Tdm> dm;
    SettingsPage page;

    explicit Page(const TempDatabase &database) : db(database), dm(freshSettings(database)), page(*dm) {}

    QLineEdit *line(const QString &name) const { return page.findChild<QLineEdit *>(name); }
    QPlainTextEdit *memo(const QString &name) const { return page.findChild<QPlainTextEdit *>(name); }

    // Types the text as a user would: a memo takes a Return between lines.
    void type(const QString &name, const QString &text) const
    {
        if (QLineEdit *l = line(name)) {
            l->clear();
            typeText(l, text);
            return;
        }
        QPlainTextEdit *m = memo(name);
        QVERIFY2(m, qPrintable(name));
        m->clear();
        const QStringList lines = text.split(QLatin1Char('\n'));
        for (qsizetype i = 0; i < lines.size(); ++i) {
            if (i > 0)
                QTest::keyClick(m, Qt::Key_Return);
            typeText(m, lines[i]);
        }
    }
    void typeAll(const QStringList &texts) const
    {
        for (qsizetype i = 0; i < fieldNames.size(); ++i)
            type(fieldNames[i], texts[i]);
    }

    QString textOf(const QString &name) const
    {
        if (const QLineEdit *l = line(name))
            return l->text();
        return memo(name)->toPlainText();
    }
    QStringList texts() const
    {
        QStringList out;
        for (const QString &name : fieldNames)
            out << textOf(name);
        return out;
    }

    void save() const { QTest::mouseClick(page.BitBtn7, Qt::LeftButton); }
};

} // namespace

class TestSettingsPage : public QObject {
    Q_OBJECT

    std::unique_ptr<TempDatabase> m_db;

private Q_SLOTS:
    void initTestCase()
    {
        m_db = std::make_unique<TempDatabase>();
        upgradeOnConnect(*m_db->connect(QStringLiteral("10.0.0.1")));   // makes the settings table
    }
    void cleanupTestCase() { m_db.reset(); }

    void controls()
    {
        Page p(*m_db);
        for (const QString &name : fieldNames)
            QVERIFY2(p.line(name) || p.memo(name), qPrintable(name));
        QCOMPARE(p.page.GroupBox1->title(), QStringLiteral("CONFIGURAZIONE EMAIL"));
        QCOMPARE(p.page.BitBtn7->objectName(), QStringLiteral("BitBtn7"));
        QCOMPARE(p.page.BitBtn7->text(), QStringLiteral("Salva"));
        QCOMPARE(p.page.BitBtn8->objectName(), QStringLiteral("BitBtn8"));
        QCOMPARE(p.page.BitBtn8->text(), QStringLiteral("Esci"));
        QCOMPARE(p.page.edt_pw->echoMode(), QLineEdit::Password);
        QCOMPARE(p.page.statusmemo().objectName(), QStringLiteral("statusmemo"));
        QVERIFY(p.page.statusmemo().isHidden());

        QStringList labels;
        for (const QLabel *l : p.page.findChildren<QLabel *>())
            labels << l->text();
        for (const char *text : {"Porta SMTP", "(in genere 25)", "User Name   (es. codice meccanografico)", "Password",
                                 "E-Mail", "Denominazione Mittente",
                                 "==================== CAMPI MAIL ======================", "Oggetto",
                                 "Messaggio (parte iniziale)", "Messaggio (parte finale)",
                                 "INDIRIZZI MAIL RICORRENTI", "(digitarne uno per riga)"})
            QVERIFY2(labels.contains(QString::fromUtf8(text)), text);
        QVERIFY(std::any_of(labels.begin(), labels.end(),
                            [](const QString &l) { return l.startsWith(QStringLiteral("Server SMTP")) && l.endsWith(u')'); }));
    }

    void limits_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("limit");
        QTest::newRow("server") << "edt_smtp" << 50;
        QTest::newRow("port") << "edt_porta_smtp" << 5;
        QTest::newRow("user") << "edt_user" << 50;
        QTest::newRow("password") << "edt_pw" << 20;
        QTest::newRow("sender") << "edt_mail_mitt" << 50;
        QTest::newRow("sender's name") << "edt_nome_mitt" << 100;
        QTest::newRow("subject") << "edt_oggetto" << 150;
        QTest::newRow("opening") << "memo_inizio" << 1000;
        QTest::newRow("closing") << "memo_fine" << 1000;
    }
    void limits()
    {
        QFETCH(QString, name);
        QFETCH(int, limit);
        Page p(*m_db);
        if (QLineEdit *l = p.line(name)) {
            QCOMPARE(l->maxLength(), limit);
            return;
        }
        p.type(name, QString(limit - 1, u'a') + QStringLiteral("\nbc"));
        QCOMPARE(p.textOf(name), QString(limit - 1, u'a') + u'\n');
        p.memo(name)->setPlainText(QString(limit * 2, u'x'));
        QCOMPARE(p.textOf(name), QString(limit, u'x'));
    }

    void opensTheRow()
    {
        Page p(*m_db);
        ScriptedDialogs dialogs;
        p.typeAll(QStringList(fieldNames.size(), QStringLiteral("vecchio")));
        QVERIFY(p.page.open());
        QStringList expected(fieldNames.size());
        expected[1] = QStringLiteral("25");
        QCOMPARE(p.texts(), expected);
        QVERIFY(p.dm->t_par.isOpen());
        VERIFY_DIALOGS_DONE(dialogs);
    }

    void notConnected()
    {
        Tdm dm;
        SettingsPage page(dm);
        ScriptedDialogs dialogs;
        dialogs.ok();
        QVERIFY(!page.open());
        QCOMPARE(dialogs.texts(),
                 QStringList{QStringLiteral("warning: ") + notConnectedWarning() + QStringLiteral("\nDatabase non connesso")});
        VERIFY_DIALOGS_DONE(dialogs);
    }

    void saveAndReopen_data()
    {
        QTest::addColumn<QStringList>("typed");
        QTest::newRow("apostrophes in every field")
            << QStringList{"smtp.l'istituto.it", "2'5", "d'amico", "pa'ss", "d'amico@scuola.it",
                           "l'ufficio@scuola.it\no'brien@scuola.it", "Segreteria dell'I.C. 'Carducci'",
                           "Avviso dell'ufficio", "Gentile collega,\nl'avviso:", "Saluti dall'ufficio\n'La segreteria'"};
        QTest::newRow("accents, blanks and line breaks")
            << QStringList{"smtp.scuola.example", "587", "RMIC81200X", "Pàss w0rd ", "segreteria@scuola.example",
                           "preside@scuola.example\ndsga@scuola.example\n", "Istituto «Giosuè Carducci»",
                           "Promemoria: è in scadenza", "\nriga due\n\nriga quattro", "Cordiali saluti"};
        QTest::newRow("optional fields empty") << complete;
    }
    void saveAndReopen()
    {
        QFETCH(QStringList, typed);
        Page p(*m_db);
        ScriptedDialogs dialogs;
        dialogs.yes().ok();
        QVERIFY(p.page.open());
        p.typeAll(typed);
        QCOMPARE(p.texts(), typed);
        p.save();
        QCOMPARE(dialogs.texts(), (QStringList{confirm, stored}));
        QVERIFY(!p.dm->t_par.isOpen());
        // Empty texts are stored as empty, not null.
        QCOMPARE(settingsRows(p.db), QList<QStringList>{typed});

        p.typeAll(QStringList(fieldNames.size(), QStringLiteral("altro")));
        QVERIFY(p.page.open());
        QCOMPARE(p.texts(), typed);
        VERIFY_DIALOGS_DONE(dialogs);
    }

    void requiredField_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("refused");
        for (const char *name : {"edt_smtp", "edt_porta_smtp", "edt_user", "edt_pw", "edt_mail_mitt", "edt_nome_mitt"})
            QTest::newRow(name) << QString::fromLatin1(name) << QString() << true;
        QTest::newRow("blanks are not empty") << "edt_user" << "   " << false;
    }
    void requiredField()
    {
        QFETCH(QString, name);
        QFETCH(QString, text);
        QFETCH(bool, refused);
        Page p(*m_db);
        ScriptedDialogs dialogs;
        if (refused)
            dialogs.ok();
        else
            dialogs.no();
        QVERIFY(p.page.open());
        p.typeAll(complete);
        p.type(name, text);
        p.save();
        QCOMPARE(dialogs.texts(), QStringList{refused ? required : confirm});
        QCOMPARE(settingsRows(p.db), QList<QStringList>{freshRow()});
        QCOMPARE(p.textOf(name), text);
        VERIFY_DIALOGS_DONE(dialogs);
    }

    void answerNoStoresNothing()
    {
        Page p(*m_db);
        ScriptedDialogs dialogs;
        dialogs.no();
        QVERIFY(p.page.open());
        p.typeAll(complete);
        p.save();
        QCOMPARE(dialogs.texts(), QStringList{confirm});
        QCOMPARE(settingsRows(p.db), QList<QStringList>{freshRow()});
        QCOMPARE(p.texts(), complete);
        VERIFY_DIALOGS_DONE(dialogs);
    }

    void tableWithoutRow()
    {
        Page p(*m_db);
        p.db.exec({QStringLiteral("DELETE FROM parametri")});
        ScriptedDialogs dialogs;
        dialogs.yes().ok();
        p.typeAll(QStringList(fieldNames.size(), QStringLiteral("vecchio")));
        QVERIFY(p.page.open());
        QCOMPARE(p.texts(), QStringList(fieldNames.size()));
        p.typeAll(complete);
        p.save();
        QCOMPARE(dialogs.texts(), (QStringList{confirm, stored}));
        QVERIFY(settingsRows(p.db).isEmpty());
        VERIFY_DIALOGS_DONE(dialogs);
    }

    void tooManyAddressesGoToTheErrorReport()
    {
        Page p(*m_db);
        ScriptedDialogs dialogs;
        dialogs.yes().ok();
        QVERIFY(p.page.open());
        p.typeAll(complete);
        p.memo(QStringLiteral("memo_ind_mail"))->setPlainText(QString(1001, u'a'));
        p.save();
        QCOMPARE(dialogs.shown().size(), 2);
        QCOMPARE(dialogs.texts().first(), confirm);
        QCOMPARE(dialogs.shown().last().kind, QStringLiteral("error"));
        qInfo("error report: %s", qPrintable(dialogs.shown().last().text));
        QCOMPARE(settingsRows(p.db), QList<QStringList>{freshRow()});
        VERIFY_DIALOGS_DONE(dialogs);
    }

    void clearAddresses()
    {
        Page p(*m_db);
        p.db.exec({QStringLiteral("UPDATE parametri SET smtp='smtp.scuola.example', ind_mail='a@scuola.example\nb@scuola.example'")});
        QVERIFY(p.page.open());
        QCOMPARE(p.textOf(QStringLiteral("memo_ind_mail")), QStringLiteral("a@scuola.example\nb@scuola.example"));
        p.page.clearAddresses();
        QCOMPARE(p.textOf(QStringLiteral("memo_ind_mail")), QString());
        QCOMPARE(p.textOf(QStringLiteral("edt_smtp")), QStringLiteral("smtp.scuola.example"));
        QVERIFY(p.page.open());
        QCOMPARE(p.textOf(QStringLiteral("memo_ind_mail")), QStringLiteral("a@scuola.example\nb@scuola.example"));
    }
};

QTEST_MAIN(TestSettingsPage)
#include "test_settings_page.moc"
