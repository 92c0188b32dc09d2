// The send window: its frame, its opening from "Invio messaggi", and "Invia"
// with the rows it stores.
#include "MessageFixture.h"
#include "Script.h"
#include "db/Texts.h"

#include <QAccessible>
#include <QLabel>
#include <QScreen>

using namespace velmora;
using namespace velmora::test;

namespace {

QString accessibleName(QWidget *w)
{
    return QAccessible::queryAccessibleInterface(w)->text(QAccessible::Name);
}

QStringList items(const QComboBox *c)
{
    QStringList out;
    for (int i = 0; i < c->count(); ++i)
        out << c->itemText(i);
    return out;
}

// Typed key by key, accents and line breaks included.
void type(QWidget *field, const QString &text)
{
    for (const QChar c : text) {
        if (c == QLatin1Char('\n'))
            QTest::keyClick(field, Qt::Key_Return);
        else
            QTest::sendKeyEvent(QTest::KeyAction::Click, field, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
}

} // namespace

class TestSendWindow : public QObject {
    Q_OBJECT

    std::unique_ptr<TempDatabase> m_db;
    std::unique_ptr<ScriptedDialogs> m_dialogs;

private Q_SLOTS:
    void init()
    {
        m_db = std::make_unique<TempDatabase>();
        m_dialogs = std::make_unique<ScriptedDialogs>();
    }
    void cleanup()
    {
        VERIFY_DIALOGS_DONE(*m_dialogs);
        m_dialogs.reset();
        m_db.reset();
    }

    void frame()
    {
        m_db->exec({directoryRow(QStringLiteral("Bianchi Anna"), pcB)});
        Workstation a(*m_db, pcA, QStringLiteral("Rossi Maria"));
        Tfrm_sms &w = a.frm_sms;
        QVERIFY(!w.isVisible());
        w.openFromMenu();
        QVERIFY(w.isVisible());
        QCOMPARE(w.objectName(), QStringLiteral("frm_sms"));
        QCOMPARE(w.windowTitle(), QStringLiteral("Velmora - Messaggio"));
        QCOMPARE(w.windowModality(), Qt::ApplicationModal);
        QCOMPARE(w.minimumSize(), w.maximumSize());
        const Qt::WindowFlags flags = w.windowFlags();
        QVERIFY(flags & Qt::WindowCloseButtonHint);
        QVERIFY(!(flags & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));
        QVERIFY((w.frameGeometry().center() - w.screen()->availableGeometry().center()).manhattanLength() <= 8);

        QCOMPARE(w.cmb_utente->objectName(), QStringLiteral("cmb_utente"));
        QVERIFY(!w.cmb_utente->isEditable());
        QCOMPARE(w.lbl_pc->objectName(), QStringLiteral("lbl_pc"));
        QVERIFY(w.lbl_pc->isHidden());
        QCOMPARE(w.memo_sms->objectName(), QStringLiteral("memo_sms"));
        QCOMPARE(w.BitBtn1->objectName(), QStringLiteral("BitBtn1"));
        QCOMPARE(w.BitBtn1->text(), QStringLiteral("Invia"));
        QCOMPARE(w.BitBtn13->objectName(), QStringLiteral("BitBtn13"));
        QCOMPARE(w.BitBtn13->text(), QStringLiteral("Esci"));
        QCOMPARE(accessibleName(w.cmb_utente), QStringLiteral("Invia a:"));
        QCOMPARE(accessibleName(w.memo_sms), QStringLiteral("Messaggio"));
        QCOMPARE(accessibleName(w.BitBtn1), QStringLiteral("Invia"));
        QCOMPARE(accessibleName(w.BitBtn13), QStringLiteral("Esci"));

        QTest::mouseClick(w.BitBtn13, Qt::LeftButton);
        QVERIFY(!w.isVisible());
        QVERIFY(messageRows(*m_db).isEmpty());
    }

    void refusedOpening()
    {
        Workstation a(*m_db, pcA, QString());
        m_dialogs->ok();
        a.frm_sms.openFromMenu();
        QCOMPARE(m_dialogs->texts(),
                 QStringList{QStringLiteral("warning: Prima di inviare messaggi bisogna caricare gli Utenti/PC!")});
        QVERIFY(!a.frm_sms.isVisible());

        // The three lines alone: neither a line break nor the error's text after them.
        a.dm->disconnect();
        m_dialogs->ok();
        a.frm_sms.openFromMenu();
        QCOMPARE(m_dialogs->texts().last(),
                 QStringLiteral("warning: Database non connesso!!!\n"
                                "Verificare che il Server sia acceso e che la connessione sia stabilita,\n"
                                "quindi chiudere il programma \"Velmora\" e riavviarlo!"));
        QCOMPARE(m_dialogs->texts().last(), QStringLiteral("warning: ") + notConnectedWarning());
        QVERIFY(!a.frm_sms.isVisible());
    }

    // Names in the directory's order, duplicates kept, none chosen; each
    // opening starts again from an empty text.
    void eachOpeningStartsEmpty()
    {
        m_db->exec({directoryRow(QStringLiteral("Verdi Luca"), pcC), directoryRow(QStringLiteral("Bianchi Anna"), pcB),
                    directoryRow(QStringLiteral("Verdi Luca"), QStringLiteral("10.0.0.4"))});
        Workstation a(*m_db, pcA, QString());
        Tfrm_sms &w = a.frm_sms;
        w.openFromMenu();
        QCOMPARE(items(w.cmb_utente),
                 (QStringList{QStringLiteral("Bianchi Anna"), QStringLiteral("Verdi Luca"), QStringLiteral("Verdi Luca")}));
        QCOMPARE(w.cmb_utente->currentIndex(), -1);
        a.choose(QStringLiteral("Bianchi Anna"));
        QCOMPARE(w.lbl_pc->text(), pcB);
        w.memo_sms->setPlainText(QStringLiteral("Riunione alle 11"));
        QTest::mouseClick(w.BitBtn13, Qt::LeftButton);

        m_db->exec({directoryRow(QStringLiteral("Alberti Ugo"), pcC)});
        w.openFromMenu();
        QCOMPARE(w.cmb_utente->currentIndex(), -1);
        QVERIFY(w.cmb_utente->currentText().isEmpty());
        QVERIFY(w.memo_sms->toPlainText().isEmpty());
        QCOMPARE(items(w.cmb_utente).first(), QStringLiteral("Alberti Ugo"));
        QCOMPARE(w.cmb_utente->count(), 4);
        w.close();
        QVERIFY(messageRows(*m_db).isEmpty());
    }

    void send_data()
    {
        QTest::addColumn<QString>("name");      // empty: none chosen
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("answers");
        QTest::addColumn<QStringList>("boxes");
        QTest::addColumn<QStringList>("rows");
        QTest::addColumn<bool>("stillOpen");

        const QStringList missing{QStringLiteral("warning: Dati mancanti!")};
        const QString confirm = QStringLiteral("question: Confermi INVIO?");
        QTest::newRow("sent") << "Bianchi Anna" << "Riunione alle 11\nin presidenza" << QStringList{"yes"}
                              << QStringList{confirm}
                              << QStringList{pcB + "|Riunione alle 11\nin presidenza|Rossi Maria"} << false;
        QTest::newRow("no name chosen") << "" << "Riunione" << QStringList{"ok"} << missing << QStringList{} << true;
        QTest::newRow("empty text") << "Bianchi Anna" << "" << QStringList{"ok"} << missing << QStringList{} << true;
        QTest::newRow("blanks only") << "Bianchi Anna" << "  \n " << QStringList{"yes"} << QStringList{confirm}
                                     << QStringList{pcB + "|  \n |Rossi Maria"} << false;
        QTest::newRow("not confirmed") << "Bianchi Anna" << "Riunione" << QStringList{"no"} << QStringList{confirm}
                                       << QStringList{} << true;
        QTest::newRow("apostrophes") << "D'Angelo Rita" << "L'aula è all'ultimo piano" << QStringList{"yes"}
                                     << QStringList{confirm}
                                     << QStringList{"10.0.'5|L'aula è all'ultimo piano|Rossi Maria"} << false;
        // A name is searched as everywhere: the first person of that name,
        // in name order and ignoring case, gets the message.
        QTest::newRow("second of a shared name") << "Verdi Luca#2" << "Ciao" << QStringList{"yes"}
                                                 << QStringList{confirm} << QStringList{pcC + "|Ciao|Rossi Maria"}
                                                 << false;
        QTest::newRow("name in other letter case") << "verdi luca" << "Ciao" << QStringList{"yes"}
                                                   << QStringList{confirm} << QStringList{pcC + "|Ciao|Rossi Maria"}
                                                   << false;
    }

    void send()
    {
        QFETCH(QString, name);
        QFETCH(QString, text);
        QFETCH(QStringList, answers);
        QFETCH(QStringList, boxes);
        QFETCH(QStringList, rows);
        QFETCH(bool, stillOpen);
        m_db->exec({directoryRow(QStringLiteral("Bianchi Anna"), pcB), directoryRow(QStringLiteral("D''Angelo Rita"), QStringLiteral("10.0.''5")),
                    directoryRow(QStringLiteral("Verdi Luca"), pcC), directoryRow(QStringLiteral("Verdi Luca"), QStringLiteral("10.0.0.4")),
                    directoryRow(QStringLiteral("verdi luca"), QStringLiteral("10.0.0.6"))});
        Workstation a(*m_db, pcA, QStringLiteral("Rossi Maria"));
        Tfrm_sms &w = a.frm_sms;
        w.openFromMenu();
        if (name == QLatin1String("Verdi Luca#2"))
            w.cmb_utente->setCurrentIndex(w.cmb_utente->findText(QStringLiteral("Verdi Luca")) + 1);
        else if (!name.isEmpty())
            a.choose(name);
        type(w.memo_sms, text);
        QCOMPARE(w.memo_sms->toPlainText(), text);
        script(*m_dialogs, answers);
        QTest::mouseClick(w.BitBtn1, Qt::LeftButton);
        QCOMPARE(m_dialogs->texts(), boxes);
        QCOMPARE(messageRows(*m_db), rows);
        QCOMPARE(w.isVisible(), stillOpen);
        w.close();
    }

    // A message that cannot be stored is not lost: the window stays open with it.
    void storingFails_data()
    {
        QTest::addColumn<QString>("how");
        QTest::newRow("refused by the database") << "refused";
        QTest::newRow("connection gone") << "disconnected";
    }

    void storingFails()
    {
        QFETCH(QString, how);
        m_db->exec({directoryRow(QStringLiteral("Bianchi Anna"), pcB)});
        Workstation a(*m_db, pcA, QStringLiteral("Rossi Maria"));
        Tfrm_sms &w = a.frm_sms;
        w.openFromMenu();
        a.choose(QStringLiteral("Bianchi Anna"));
        w.memo_sms->setPlainText(QStringLiteral("Riunione alle 11"));
        if (how == QLatin1String("refused"))
            m_db->exec({QStringLiteral("ALTER TABLE messaggi ADD CONSTRAINT ck_prova CHECK (messaggio <> 'Riunione alle 11')")});
        else
            a.dm->disconnect();
        m_dialogs->yes().ok();
        QTest::mouseClick(w.BitBtn1, Qt::LeftButton);
        QCOMPARE(m_dialogs->texts(),
                 (QStringList{QStringLiteral("question: Confermi INVIO?"),
                              QStringLiteral("information: Inserimento non effettuabile...probabile duplicazione chiave!")}));
        QVERIFY(w.isVisible());
        QCOMPARE(w.memo_sms->toPlainText(), QStringLiteral("Riunione alle 11"));
        QCOMPARE(w.cmb_utente->currentText(), QStringLiteral("Bianchi Anna"));

        // The user sends again once the database takes it, or leaves with "Esci".
        if (how == QLatin1String("refused")) {
            m_db->exec({QStringLiteral("ALTER TABLE messaggi DROP CONSTRAINT ck_prova")});
            m_dialogs->yes();
            QTest::mouseClick(w.BitBtn1, Qt::LeftButton);
            QCOMPARE(messageRows(*m_db), QStringList{pcB + QStringLiteral("|Riunione alle 11|Rossi Maria")});
        } else {
            QTest::mouseClick(w.BitBtn13, Qt::LeftButton);
            QVERIFY(messageRows(*m_db).isEmpty());
        }
        QVERIFY(!w.isVisible());
    }

    void textWithinColumn_data()
    {
        QTest::addColumn<bool>("pollRead");
        QTest::newRow("the poll's last read done") << true;
        QTest::newRow("the poll's last read failed") << false;
    }
    // The text takes no more characters than the column holds, so a long
    // message is stored whole instead of failing; whatever the poll's state.
    void textWithinColumn()
    {
        QFETCH(bool, pollRead);
        m_db->exec({QStringLiteral("DROP TABLE messaggi"),
                    QStringLiteral("CREATE TABLE messaggi (pc VARCHAR(20), messaggio VARCHAR(12), utente VARCHAR(35))"),
                    directoryRow(QStringLiteral("Bianchi Anna"), pcB)});
        Workstation a(*m_db, pcA, QStringLiteral("Rossi Maria"));
        if (!pollRead)
            a.dm->t_sms.close();
        Tfrm_sms &w = a.frm_sms;
        w.openFromMenu();
        a.choose(QStringLiteral("Bianchi Anna"));
        type(w.memo_sms, QStringLiteral("Caffè àlle 10 in sala"));
        QCOMPARE(w.memo_sms->toPlainText(), QStringLiteral("Caffè àlle 1"));

        // Pasted in the middle: what does not fit goes, the text around it stays.
        w.memo_sms->moveCursor(QTextCursor::Start);
        w.memo_sms->insertPlainText(QStringLiteral("XY"));
        QCOMPARE(w.memo_sms->toPlainText(), QStringLiteral("Caffè àlle 1"));
        w.memo_sms->clear();
        type(w.memo_sms, QStringLiteral("Caffè àlle 1"));
        w.memo_sms->moveCursor(QTextCursor::Start);
        QTest::keyClick(w.memo_sms, Qt::Key_Delete);
        QTest::keyClick(w.memo_sms, Qt::Key_Delete);
        // One character over: the emoji goes whole, never half of it.
        w.memo_sms->insertPlainText(QStringLiteral("T👍"));
        QCOMPARE(w.memo_sms->toPlainText(), QStringLiteral("Tffè àlle 1"));

        m_dialogs->yes();
        QTest::mouseClick(w.BitBtn1, Qt::LeftButton);
        QCOMPARE(messageRows(*m_db), QStringList{pcB + QStringLiteral("|Tffè àlle 1|Rossi Maria")});
        QVERIFY(!w.isVisible());
    }
};

QTEST_MAIN(TestSendWindow)
#include "test_send_window.moc"
