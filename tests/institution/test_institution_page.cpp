// The institution page: its controls, what it reads of the row, the checks
// of "Salva" and what reaches the database.
#include "ScriptedDialogs.h"
#include "SettableClock.h"
#include "TempDatabase.h"
#include "db/Texts.h"
#include "institution/InstitutionPage.h"

#include <QAccessible>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

#include <memory>

using namespace velmora;
using namespace velmora::test;

namespace {

// Fields and columns in the order of the row as the page reads it.
const QStringList fieldNames{"edt_denom",     "edt_dedica",     "edt_indir",     "edt_com_ente",  "edt_cap_ente",
                             "edt_pr_ente",   "edt_cf_ente",    "edt_cm_ente",   "edt_tel_ente",  "edt_fax_ente",
                             "edt_mail_ente", "edt_sito_ente",  "edt_dirigente", "edt_cf_dirigente", "edt_dsga",
                             "edt_cf_dsga",   "edt_anno_scol"};
const QString columns = QStringLiteral("denom, dedica, indir, comune, cap, pr, cf, cm, tel, fax, mail, sito, "
                                       "dirigente, cf_dirigente, dsga, cf_dsga, anno_scol");
const QString nullMark = QStringLiteral("<null>");
const QString missing = QStringLiteral("warning: Dati essenziali mancanti!");
const QString confirm = QStringLiteral("question: Confermi operazione?");
const QString stored = QStringLiteral("information: Dati memorizzati correttamente!");

// The single rows of ente: each as its text columns and dcopia (dd/MM/yyyy).
QList<QStringList> enteRows(const TempDatabase &db)
{
    const auto dm = db.connect(QStringLiteral("reader"));
    dm->open(dm->t_ente, QStringLiteral("select ") + columns + QStringLiteral(", dcopia from ente"));
    QList<QStringList> rows;
    for (int r = 0; r < dm->t_ente.rowCount(); ++r) {
        QStringList cells;
        for (int c = 0; c < dm->t_ente.columnCount(); ++c) {
            const QVariant v = dm->t_ente.value(r, c);
            cells << (v.isNull()                             ? nullMark
                      : v.metaType().id() == QMetaType::QDate ? v.toDate().toString(QStringLiteral("dd/MM/yyyy"))
                                                             : v.toString());
        }
        rows << cells;
    }
    return rows;
}

struct Page {
    std::unique_ptr<Tdm> dm;
    InstitutionPage page;

    explicit Page(const TempDatabase &db) : dm(db.connect(QStringLiteral("10.0.0.1"))), page(*dm) {}

    QLineEdit *line(const QString &name) const { return page.findChild<QLineEdit *>(name); }
    void type(const QString &name, const QString &text) const
    {
        QLineEdit *l = line(name);
        l->clear();
        QTest::keyClicks(l, text);
    }
    QStringList texts() const
    {
        QStringList out;
        for (const QString &name : fieldNames)
            out << line(name)->text();
        return out;
    }
    void save() const { QTest::mouseClick(page.bbt_mod_rap, Qt::LeftButton); }
    // Name, address and town: what "Salva" needs.
    void typeEssentials() const
    {
        type(QStringLiteral("edt_denom"), QStringLiteral("Scuola"));
        type(QStringLiteral("edt_indir"), QStringLiteral("Via Po"));
        type(QStringLiteral("edt_com_ente"), QStringLiteral("Asti"));
    }
};

} // namespace

class TestInstitutionPage : public QObject {
    Q_OBJECT

    std::unique_ptr<TempDatabase> m_db;
    std::unique_ptr<SettableClock> m_clock;

    void resetRow(const QString &values = QStringLiteral("(denom) VALUES (NULL)"))
    {
        m_db->exec({QStringLiteral("DELETE FROM ente"), QStringLiteral("INSERT INTO ente ") + values});
    }

private Q_SLOTS:
    void initTestCase()
    {
        m_db = std::make_unique<TempDatabase>();
        m_clock = std::make_unique<SettableClock>(QDateTime(QDate(2026, 3, 1), QTime(9, 0)));
    }
    void cleanupTestCase()
    {
        m_clock.reset();
        m_db.reset();
    }
    void init() { resetRow(); }

    void controls_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("label");
        QTest::addColumn<int>("limit");
        QTest::addColumn<bool>("shown");
        QTest::newRow("denom") << "edt_denom" << "Denominazione" << 150 << true;
        QTest::newRow("dedica") << "edt_dedica" << "Dedica" << 20 << true;
        QTest::newRow("indir") << "edt_indir" << "Indirizzo" << 100 << true;
        QTest::newRow("comune") << "edt_com_ente" << "Comune" << 50 << true;
        QTest::newRow("cap") << "edt_cap_ente" << "C.a.p." << 5 << true;
        QTest::newRow("pr") << "edt_pr_ente" << "PR" << 2 << true;
        QTest::newRow("cf") << "edt_cf_ente" << "Codice Fiscale" << 11 << true;
        QTest::newRow("cm") << "edt_cm_ente" << "Codice Meccanografico" << 10 << true;
        QTest::newRow("tel") << "edt_tel_ente" << "Telefono" << 13 << true;
        QTest::newRow("fax") << "edt_fax_ente" << "Fax" << 13 << true;
        QTest::newRow("mail") << "edt_mail_ente" << "E-Mail" << 50 << true;
        QTest::newRow("sito") << "edt_sito_ente" << "Sito" << 50 << true;
        QTest::newRow("dirigente") << "edt_dirigente" << "Nominativo" << 30 << false;
        QTest::newRow("cf_dirigente") << "edt_cf_dirigente" << "Codice fiscale" << 16 << false;
        QTest::newRow("dsga") << "edt_dsga" << "Nominativo" << 30 << false;
        QTest::newRow("cf_dsga") << "edt_cf_dsga" << "Codice fiscale" << 16 << false;
        QTest::newRow("anno_scol") << "edt_anno_scol" << "ANNO SCOLASTICO" << 9 << false;
    }
    void controls()
    {
        QFETCH(QString, name);
        QFETCH(QString, label);
        QFETCH(int, limit);
        QFETCH(bool, shown);
        Page p(*m_db);
        p.page.show();
        QLineEdit *field = p.line(name);
        QVERIFY(field);
        QCOMPARE(field->maxLength(), limit);
        QCOMPARE(field->isVisible(), shown);
        QCOMPARE(p.page.GroupBox_dati->isAncestorOf(field), shown);
        QCOMPARE(QAccessible::queryAccessibleInterface(field)->text(QAccessible::Name), label);
        const QList<QLabel *> labels = p.page.findChildren<QLabel *>();
        QVERIFY(std::any_of(labels.begin(), labels.end(),
                            [&](const QLabel *l) { return l->buddy() == field && l->text() == label; }));
    }

    void groupsAndButtons()
    {
        Page p(*m_db);
        p.page.show();
        QCOMPARE(p.page.GroupBox_dati->title(), QStringLiteral("DATI"));
        QCOMPARE(p.page.GroupBox_dirigente->title(), QStringLiteral("DIRIGENTE SCOLATICO"));
        QCOMPARE(p.page.GroupBox_dsga->title(), QStringLiteral("D.S.G.A."));
        for (const QWidget *hidden : {static_cast<QWidget *>(p.page.GroupBox_dirigente),
                                      static_cast<QWidget *>(p.page.GroupBox_dsga),
                                      static_cast<QWidget *>(p.page.GroupBox_anno),
                                      static_cast<QWidget *>(p.page.lbl_dcopia)})
            QVERIFY(!hidden->isVisible());
        QCOMPARE(p.page.bbt_mod_rap->text(), QStringLiteral("Salva"));
        QCOMPARE(p.page.BitBtn5->text(), QStringLiteral("Esci"));
        QCOMPARE(p.page.lbl_dcopia->objectName(), QStringLiteral("lbl_dcopia"));
        QVERIFY(p.page.sizeHint().width() <= 1366 && p.page.sizeHint().height() <= 700);
    }

    void opensTheRow()
    {
        resetRow(QStringLiteral("(denom, dedica, indir, comune, cap, pr, cf, cm, tel, fax, mail, sito, dirigente, "
                                "cf_dirigente, dsga, cf_dsga, anno_scol, dcopia) VALUES ('I.C. Manzoni', 'Manzoni', "
                                "'Via Roma 1', 'Lecco', '23900', 'LC', '01234567890', 'LCIC80000X', '0341 123456', "
                                "'0341 654321', 'ic@scuola.it', 'www.ic.it', 'Rossi Anna', 'RSSNNA70A41E507X', "
                                "'Bianchi Luca', 'BNCLCU70A01E507X', '2025/2026', '2026-05-20')"));
        Page p(*m_db);
        ScriptedDialogs dialogs;
        p.type(QStringLiteral("edt_denom"), QStringLiteral("left over"));
        QVERIFY(p.page.open());
        QCOMPARE(p.texts(), QStringList({"I.C. Manzoni", "Manzoni", "Via Roma 1", "Lecco", "23900", "LC",
                                         "01234567890", "LCIC80000X", "0341 123456", "0341 654321", "ic@scuola.it",
                                         "www.ic.it", "Rossi Anna", "RSSNNA70A41E507X", "Bianchi Luca",
                                         "BNCLCU70A01E507X", "2025/2026"}));
        QCOMPARE(p.page.lbl_dcopia->text(), QStringLiteral("20/05/2026"));
        QVERIFY(p.dm->t_ente.isOpen());
        VERIFY_DIALOGS_DONE(dialogs);
    }

    // Null columns leave their fields empty, whatever was typed before.
    void nullRowEmptiesTheFields()
    {
        Page p(*m_db);
        ScriptedDialogs dialogs;
        for (const QString &name : fieldNames)
            p.type(name, QStringLiteral("x"));
        QVERIFY(p.page.open());
        QCOMPARE(p.texts(), QStringList(fieldNames.size()));
        VERIFY_DIALOGS_DONE(dialogs);
    }

    // Seven days after the day the page is opened, kept by later saves.
    void firstCopyDate()
    {
        Page p(*m_db);
        ScriptedDialogs dialogs;
        QVERIFY(p.page.open());
        QCOMPARE(p.page.lbl_dcopia->text(), QStringLiteral("08/03/2026"));
        p.typeEssentials();
        dialogs.yes().ok();
        p.save();
        QCOMPARE(enteRows(*m_db).value(0).last(), QStringLiteral("08/03/2026"));

        m_clock->set(QDateTime(QDate(2026, 4, 15), QTime(10, 0)));
        QVERIFY(p.page.open());
        QCOMPARE(p.page.lbl_dcopia->text(), QStringLiteral("08/03/2026"));
        dialogs.yes().ok();
        p.save();
        QCOMPARE(enteRows(*m_db).value(0).last(), QStringLiteral("08/03/2026"));
        m_clock->set(QDateTime(QDate(2026, 3, 1), QTime(9, 0)));
        QCOMPARE(dialogs.texts(), QStringList({confirm, stored, confirm, stored}));
        VERIFY_DIALOGS_DONE(dialogs);
    }

    void essentialFields_data()
    {
        QTest::addColumn<QString>("denom");
        QTest::addColumn<QString>("indir");
        QTest::addColumn<QString>("comune");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("all three") << "Scuola" << "Via Po" << "Asti" << true;
        QTest::newRow("no name") << "" << "Via Po" << "Asti" << false;
        QTest::newRow("no address") << "Scuola" << "" << "Asti" << false;
        QTest::newRow("no town") << "Scuola" << "Via Po" << "" << false;
        QTest::newRow("blanks count as filled") << " " << "  " << " " << true;
    }
    void essentialFields()
    {
        QFETCH(QString, denom);
        QFETCH(QString, indir);
        QFETCH(QString, comune);
        QFETCH(bool, accepted);
        Page p(*m_db);
        ScriptedDialogs dialogs;
        QVERIFY(p.page.open());
        p.type(QStringLiteral("edt_denom"), denom);
        p.type(QStringLiteral("edt_indir"), indir);
        p.type(QStringLiteral("edt_com_ente"), comune);
        if (accepted)
            dialogs.yes().ok();
        else
            dialogs.ok();
        p.save();
        QCOMPARE(dialogs.texts(), accepted ? QStringList({confirm, stored}) : QStringList{missing});
        QCOMPARE(enteRows(*m_db).value(0).value(0), accepted ? denom : nullMark);
        VERIFY_DIALOGS_DONE(dialogs);
    }

    void answeredNo()
    {
        Page p(*m_db);
        ScriptedDialogs dialogs;
        QVERIFY(p.page.open());
        p.typeEssentials();
        dialogs.no();
        p.save();
        QCOMPARE(enteRows(*m_db).value(0).value(0), nullMark);
        VERIFY_DIALOGS_DONE(dialogs);
    }

    // Only the essential fields typed: the other text columns become empty
    // texts, the hidden ones are written back as they were read.
    void essentialOnly()
    {
        resetRow(QStringLiteral("(dirigente, cf_dsga, anno_scol) VALUES ('Rossi Anna', 'BNCLCU70A01E507X', '2025/2026')"));
        Page p(*m_db);
        ScriptedDialogs dialogs;
        QVERIFY(p.page.open());
        p.typeEssentials();
        dialogs.yes().ok();
        p.save();
        QCOMPARE(enteRows(*m_db),
                 QList<QStringList>({{"Scuola", "", "Via Po", "Asti", "", "", "", "", "", "", "", "", "Rossi Anna", "",
                                      "", "BNCLCU70A01E507X", "2025/2026", "08/03/2026"}}));
        QVERIFY(!p.dm->t_ente.isOpen());
        // The page keeps what was typed.
        QCOMPARE(p.line(QStringLiteral("edt_denom"))->text(), QStringLiteral("Scuola"));
        VERIFY_DIALOGS_DONE(dialogs);
    }

    // An apostrophe in any field, the codes and the site included, is stored as typed.
    void apostrophes()
    {
        const QStringList typed{"L'istituto 'Manzoni'", "Sant'Anna", "Via dell'Olmo", "Sant'Agata", "2'9",
                                "L'", "0'1", "LC'1", "0341'1", "0341'2", "o'brien@scuola.it", "www.l'ic.it",
                                "D'Amico", "DMC'1", "Dell'Acqua", "DLL'2", "2025'2026"};
        Page p(*m_db);
        ScriptedDialogs dialogs;
        QVERIFY(p.page.open());
        for (int i = 0; i < fieldNames.size(); ++i)
            p.line(fieldNames[i])->setText(typed[i]);
        dialogs.yes().ok();
        p.save();
        QCOMPARE(enteRows(*m_db), QList<QStringList>({typed + QStringList{"08/03/2026"}}));
        QVERIFY(p.page.open());
        QCOMPARE(p.texts(), typed);
        VERIFY_DIALOGS_DONE(dialogs);
    }

    // An ente without its row gets one: "Salva" must not report as stored
    // what it did not store.
    void noRowGetsOne()
    {
        m_db->exec({QStringLiteral("DELETE FROM ente")});
        Page p(*m_db);
        ScriptedDialogs dialogs;
        QVERIFY(p.page.open());
        QCOMPARE(p.texts(), QStringList(fieldNames.size()));
        QCOMPARE(p.page.lbl_dcopia->text(), QStringLiteral("08/03/2026"));
        p.typeEssentials();
        dialogs.yes().ok();
        p.save();
        dialogs.yes().ok();
        p.save();
        const QList<QStringList> rows = enteRows(*m_db);
        QCOMPARE(rows.size(), 1);
        QCOMPARE(rows[0].mid(0, 4), QStringList({"Scuola", "", "Via Po", "Asti"}));
        VERIFY_DIALOGS_DONE(dialogs);
    }

    void notConnected()
    {
        Tdm dm;
        InstitutionPage page(dm);
        ScriptedDialogs dialogs;
        dialogs.ok();
        QVERIFY(!page.open());
        QCOMPARE(dialogs.texts(),
                 QStringList{QStringLiteral("warning: ") + notConnectedWarning() + QStringLiteral("\nDatabase non connesso")});
        VERIFY_DIALOGS_DONE(dialogs);
    }
};

QTEST_MAIN(TestInstitutionPage)
#include "test_institution_page.moc"
