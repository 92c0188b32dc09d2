// The masked date and time fields: what leaving them accepts and refuses.
#include "ScriptedDialogs.h"
#include "widgets/MaskedDateEdit.h"
#include "widgets/MaskedTimeEdit.h"

#include <QFocusEvent>
#include <QLineEdit>
#include <QVBoxLayout>
#include <QtTest>

#include <memory>

using namespace velmora;

class TestMaskedEdits : public QObject {
    Q_OBJECT

    // A window with the field under test and a plain field after it, to
    // which Tab moves.
    std::unique_ptr<QWidget> m_window;
    MaskedEdit *m_field = nullptr;
    QLineEdit *m_next = nullptr;

    void makeWindow(const QString &kind)
    {
        m_window = std::make_unique<QWidget>();
        auto *layout = new QVBoxLayout(m_window.get());
        if (kind == QLatin1String("data"))
            m_field = new MaskedDateEdit(m_window.get());
        else
            m_field = new MaskedTimeEdit(m_window.get());
        m_next = new QLineEdit(m_window.get());
        layout->addWidget(m_field);
        layout->addWidget(m_next);
        m_window->show();
        QApplication::setActiveWindow(m_window.get());
        QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
    }

    // Types into the field from its first position, as a user does after
    // clicking at its start.
    void type(QTestEventList keys)
    {
        m_field->setFocus();
        QTRY_VERIFY(m_field->hasFocus());
        m_field->home(false);
        keys.simulate(m_field);
    }

    void leave()
    {
        QTest::keyClick(m_field, Qt::Key_Tab);
    }

    static QTestEventList digits(const char *keys)
    {
        QTestEventList events;
        events.addKeyClicks(QString::fromLatin1(keys));
        return events;
    }

    void addCases()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QTestEventList>("keys");
        QTest::addColumn<QString>("shown");
    }

private Q_SLOTS:
    void cleanup()
    {
        m_window.reset();
    }

    void emptyForms()
    {
        MaskedDateEdit date;
        MaskedTimeEdit time;
        QCOMPARE(date.text(), QStringLiteral("  /  /    "));
        QCOMPARE(time.text(), QStringLiteral("  .  "));
        QVERIFY(date.isBlank());
        QVERIFY(time.isBlank());
        QVERIFY(!date.date().isValid());
        QVERIFY(!time.time().isValid());
    }

    void valuesInAndOut()
    {
        MaskedDateEdit date;
        date.setDate(QDate(2024, 3, 25));
        QCOMPARE(date.text(), QStringLiteral("25/03/2024"));
        QCOMPARE(date.date(), QDate(2024, 3, 25));
        QVERIFY(!date.isBlank());
        date.setDate(QDate());
        QVERIFY(date.isBlank());
        date.setText(QStringLiteral("01/02/2025"));
        QCOMPARE(date.date(), QDate(2025, 2, 1));

        MaskedTimeEdit time;
        time.setTime(QTime(9, 5));
        QCOMPARE(time.text(), QStringLiteral("09.05"));
        QCOMPARE(time.time(), QTime(9, 5));
        time.clear();
        QCOMPARE(time.text(), QStringLiteral("  .  "));
    }

    void accepted_data()
    {
        addCases();
        QTest::newRow("date") << "data" << digits("25032024") << "25/03/2024";
        QTest::newRow("29 February of a leap year") << "data" << digits("29022024") << "29/02/2024";
        QTest::newRow("31 December") << "data" << digits("31122099") << "31/12/2099";
        QTest::newRow("typed with the slashes") << "data" << digits("01/09/2024") << "01/09/2024";
        QTest::newRow("blank date") << "data" << digits("") << "  /  /    ";
        QTest::newRow("23.59") << "ora" << digits("2359") << "23.59";
        QTest::newRow("00.00") << "ora" << digits("0000") << "00.00";
        QTest::newRow("blank time") << "ora" << digits("") << "  .  ";
    }

    void accepted()
    {
        QFETCH(QString, kind);
        QFETCH(QTestEventList, keys);
        QFETCH(QString, shown);
        test::ScriptedDialogs dialogs;
        makeWindow(kind);
        type(keys);
        QCOMPARE(m_field->text(), shown);
        leave();
        QTRY_VERIFY(m_next->hasFocus());
        QCoreApplication::processEvents();
        QVERIFY(m_next->hasFocus());
        VERIFY_DIALOGS_DONE(dialogs);
    }

    void refused_data()
    {
        addCases();
        QTest::newRow("31 April") << "data" << digits("31042024") << "31/04/2024";
        QTest::newRow("29 February of a common year") << "data" << digits("29022023") << "29/02/2023";
        QTest::newRow("month 13") << "data" << digits("12132024") << "12/13/2024";
        QTest::newRow("day 00") << "data" << digits("00012024") << "00/01/2024";
        QTest::newRow("year left out") << "data" << digits("2503") << "25/03/    ";
        QTest::newRow("one digit") << "data" << digits("1") << "1 /  /    ";
        QTest::newRow("24.00") << "ora" << digits("2400") << "24.00";
        QTest::newRow("12.60") << "ora" << digits("1260") << "12.60";
        QTestEventList gap = digits("1230");
        gap.addKeyClick(Qt::Key_Home);
        gap.addKeyClick(Qt::Key_Right);
        gap.addKeyClick(Qt::Key_Delete);   // the second digit back to blank
        QTest::newRow("hour of one digit") << "ora" << gap << "1 .30";
        QTest::newRow("minutes left out") << "ora" << digits("12") << "12.  ";
    }

    void refused()
    {
        QFETCH(QString, kind);
        QFETCH(QTestEventList, keys);
        QFETCH(QString, shown);
        test::ScriptedDialogs dialogs;
        dialogs.ok();
        makeWindow(kind);
        type(keys);
        QCOMPARE(m_field->text(), shown);
        leave();
        QTRY_COMPARE(dialogs.shown().size(), 1);
        QCOMPARE(dialogs.texts(),
                 QStringList{QStringLiteral("error: \"%1\" non è un %2 valida").arg(shown, kind)});
        QVERIFY(m_field->hasFocus());
        QCOMPARE(m_field->text(), shown);
        VERIFY_DIALOGS_DONE(dialogs);
    }

    void refusedAgainAtEachLeaving()
    {
        test::ScriptedDialogs dialogs;
        dialogs.ok().ok();
        makeWindow(QStringLiteral("data"));
        type(digits("31042024"));
        leave();
        QTRY_COMPARE(dialogs.shown().size(), 1);
        leave();
        QTRY_COMPARE(dialogs.shown().size(), 2);
        QVERIFY(m_field->hasFocus());
        // Corrected, it lets the focus go.
        m_field->home(false);
        QTest::keyClicks(m_field, QStringLiteral("30"));
        leave();
        QTRY_VERIFY(m_next->hasFocus());
        QCoreApplication::processEvents();
        QCOMPARE(dialogs.shown().size(), 2);
        VERIFY_DIALOGS_DONE(dialogs);
    }

    void anotherWindowIsNotLeaving()
    {
        test::ScriptedDialogs dialogs;
        makeWindow(QStringLiteral("data"));
        type(digits("3104"));
        QFocusEvent away(QEvent::FocusOut, Qt::ActiveWindowFocusReason);
        QApplication::sendEvent(m_field, &away);
        QCoreApplication::processEvents();
        VERIFY_DIALOGS_DONE(dialogs);
    }
};

QTEST_MAIN(TestMaskedEdits)
#include "test_masked_edits.moc"
