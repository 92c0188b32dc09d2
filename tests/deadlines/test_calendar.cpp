// The month calendar of the page: its marks, its handlers and the day list.
#include "PageFixture.h"

#include <QSpinBox>
#include <QToolButton>

using namespace velmora;
using namespace velmora::test;

namespace {

struct CellLook {
    QColor background;
    bool redText = false;
};

} // namespace

class TestCalendar : public QObject {
    Q_OBJECT

    std::unique_ptr<TempDatabase> m_db;
    std::unique_ptr<SettableClock> m_clock;
    std::unique_ptr<Workstation> m_w;

    CalendarPanel &panel() { return *m_w->page->calendar; }

    // Shows month and year as a user chooses them.
    void showMonth(int month, int year)
    {
        panel().edt_anno->setValue(year);
        panel().cmb_mese->setCurrentIndex(month - 1);
        Q_EMIT panel().cmb_mese->activated(month - 1);
    }

    CellLook look(const QString &day)
    {
        MonthCalendar *c = panel().calendario;
        const QImage image = c->grab().toImage();
        for (int row = 1; row < MonthCalendar::rows; ++row)
            for (int col = 0; col < MonthCalendar::columns; ++col) {
                if (c->cellText(col, row) != day)
                    continue;
                const QRect cell = c->cellRect(col, row);
                CellLook l{image.pixelColor(cell.topLeft() + QPoint(5, 5))};
                for (int y = cell.top(); y <= cell.bottom() && !l.redText; ++y)
                    for (int x = cell.left(); x <= cell.right(); ++x) {
                        const QColor p = image.pixelColor(x, y);
                        if (p.red() > 180 && p.green() < 90 && p.blue() < 90) {
                            l.redText = true;
                            break;
                        }
                    }
                return l;
            }
        return {};
    }

    QStringList dayRows() const { return texts(m_w->dm->t_sca_gg); }

private Q_SLOTS:
    void init()
    {
        m_clock = std::make_unique<SettableClock>(standingNow());
        m_db = std::make_unique<TempDatabase>();
        m_db->exec({
            QStringLiteral("INSERT INTO scadenze (data, ora, scadenza, pc, mail) VALUES ('03/05/2027', '08.00', 'Consiglio', 'tutti', '')"),
            QStringLiteral("INSERT INTO scadenze (data, ora, scadenza, pc, mail, letto) VALUES ('03/07/2027', '08.00', 'Vista', '10.0.0.1', '', 'S')"),
            QStringLiteral("INSERT INTO scadenze (data, ora, scadenza, pc, mail) VALUES ('03/09/2027', '08.00', 'Altrui', '10.0.0.2', '')"),
            QStringLiteral("INSERT INTO scadenze (data, ora, scadenza, pc, mail) VALUES ('12/25/2026', '09.00', 'Auguri', 'tutti', '')"),
            QStringLiteral("INSERT INTO scadenze (data, ora, scadenza, pc, mail) VALUES ('12/11/2026', '09.00', 'Domani', 'tutti', '')"),
            QStringLiteral("INSERT INTO scadenze (data, ora, scadenza, pc, mail) VALUES ('12/11/2026', '11.00', 'Domani tardi', '10.0.0.1', '')"),
            QStringLiteral("INSERT INTO festivita (giorno, mese, festa) VALUES (25, 12, 'Natale')"),
            QStringLiteral("INSERT INTO festivita (giorno, mese, festa) VALUES (31, 2, 'Mai')"),
            QStringLiteral("INSERT INTO festivita (giorno, mese, festa) VALUES (19, 3, 'San Giuseppe')"),
        });
        m_w = std::make_unique<Workstation>(*m_db, thisPc);
        m_w->show();
    }
    void cleanup()
    {
        m_w.reset();
        m_db.reset();
        m_clock.reset();
    }

    void marks_data()
    {
        QTest::addColumn<int>("month");
        QTest::addColumn<int>("year");
        QTest::addColumn<QString>("day");
        QTest::addColumn<bool>("blue");
        QTest::addColumn<bool>("red");
        QTest::newRow("deadline in the shown month") << 3 << 2027 << "5" << true << false;
        QTest::newRow("same day, another year") << 3 << 2028 << "5" << false << false;
        QTest::newRow("seen deadline still marks") << 3 << 2027 << "7" << true << false;
        QTest::newRow("another workstation's deadline") << 3 << 2027 << "9" << false << false;
        QTest::newRow("plain day") << 3 << 2027 << "6" << false << false;
        QTest::newRow("holiday") << 3 << 2027 << "19" << false << true;
        QTest::newRow("holiday in any year") << 3 << 2031 << "19" << false << true;
        QTest::newRow("holiday and deadline") << 12 << 2026 << "25" << true << true;
        QTest::newRow("holiday, another year without deadline") << 12 << 2030 << "25" << false << true;
        QTest::newRow("31 February never shown") << 2 << 2027 << "28" << false << false;
    }

    void marks()
    {
        QFETCH(int, month);
        QFETCH(int, year);
        QFETCH(QString, day);
        QFETCH(bool, blue);
        QFETCH(bool, red);
        showMonth(month, year);
        const CellLook l = look(day);
        QVERIFY(l.background.isValid());
        QCOMPARE(l.background == QColor(0xB7, 0xDB, 0xFF), blue);
        QCOMPARE(l.redText, red);
    }

    void februaryHasNoCell31()
    {
        showMonth(2, 2027);
        MonthCalendar *c = panel().calendario;
        for (int row = 1; row < MonthCalendar::rows; ++row)
            for (int col = 0; col < MonthCalendar::columns; ++col)
                QVERIFY(c->cellText(col, row) != QLatin1String("31") && c->cellText(col, row) != QLatin1String("29"));
    }

    void dateChangedFillsTheDay()
    {
        showMonth(12, 2026);
        panel().calendario->setDay(25);
        QCOMPARE(panel().lbl_oggi->text(), QStringLiteral("venerdì  25  dicembre  2026"));
        QCOMPARE(m_w->page->days->title(), QStringLiteral("ELENCO SCADENZE DI GIORNO 25/12/2026"));
        QCOMPARE(panel().pnl_festa->text(), QStringLiteral("Natale"));
        QCOMPARE(dayRows(), QStringList{QStringLiteral("Auguri")});
        panel().calendario->setDay(11);
        QCOMPARE(panel().pnl_festa->text(), QString());
        QCOMPARE(dayRows(), (QStringList{QStringLiteral("Domani"), QStringLiteral("Domani tardi")}));
        panel().calendario->setDay(12);
        QCOMPARE(dayRows(), QStringList{});
        QCOMPARE(m_w->page->days->title(), QStringLiteral("ELENCO SCADENZE DI GIORNO 12/12/2026"));
        QCOMPARE(m_w->page->days->SMDBGrid1->model()->rowCount(), 0);
    }

    void refusedMonthIsSetBack()
    {
        showMonth(3, 2027);
        panel().calendario->setDay(31);
        ScriptedDialogs d;
        d.ok();
        panel().cmb_mese->setCurrentIndex(3);
        Q_EMIT panel().cmb_mese->activated(3);   // "Aprile" has no 31st
        QCOMPARE(d.texts(), QStringList{QStringLiteral("error: Invalid argument to date encode")});
        QCOMPARE(panel().calendario->date(), QDate(2027, 3, 31));
        QCOMPARE(panel().cmb_mese->currentText(), QStringLiteral("Marzo"));
        QCOMPARE(panel().lbl_oggi->text(), QStringLiteral("mercoledì  31  marzo  2027"));
    }

    void refusedYearIsSetBack()
    {
        showMonth(2, 2028);
        panel().calendario->setDay(29);
        ScriptedDialogs d;
        d.ok();
        panel().edt_anno->setValue(2027);
        QCOMPARE(d.texts(), QStringList{QStringLiteral("error: Invalid argument to date encode")});
        QCOMPARE(panel().calendario->date(), QDate(2028, 2, 29));
        QCOMPARE(panel().edt_anno->value(), 2028);
    }

    void doubleClickGivesTheEditorTheDate()
    {
        showMonth(3, 2027);
        panel().calendario->setDay(5);
        Q_EMIT panel().calendario->doubleClicked();
        QCOMPARE(m_w->editor().mke_data_scad->text(), QStringLiteral("05/03/2027"));
    }

    void goToToday()
    {
        showMonth(3, 2027);
        panel().calendario->setDay(31);
        QTest::mouseClick(panel().SpeedButton1, Qt::LeftButton);
        QCOMPARE(panel().calendario->date(), QDate(2026, 12, 10));
        QCOMPARE(panel().cmb_mese->currentText(), QStringLiteral("Dicembre"));
        QCOMPARE(panel().edt_anno->value(), 2026);
        QCOMPARE(panel().lbl_oggi->text(), QStringLiteral("giovedì  10  dicembre  2026"));
        QCOMPARE(m_w->page->days->title(), QStringLiteral("ELENCO SCADENZE DI GIORNO 10/12/2026"));
        QCOMPARE(dayRows(), QStringList{});
    }

    // From 29 February of a leap year to today in a common year: no box, and
    // the year field, the month and the blue marks all follow.
    void goToTodayFromLeapDay()
    {
        m_db->exec({QStringLiteral(
            "INSERT INTO scadenze (data, ora, scadenza, pc, mail) VALUES ('03/05/2029', '08.00', 'Nel 2029', 'tutti', '')")});
        m_w->dm->reopen(m_w->dm->t_sca_timer);
        m_clock->set(QDateTime(QDate(2029, 3, 15), QTime(10, 0)));
        showMonth(2, 2028);
        panel().calendario->setDay(29);
        ScriptedDialogs d;
        QTest::mouseClick(panel().SpeedButton1, Qt::LeftButton);
        QCOMPARE(d.texts(), QStringList{});
        QCOMPARE(panel().calendario->date(), QDate(2029, 3, 15));
        QCOMPARE(panel().edt_anno->value(), 2029);
        QCOMPARE(panel().cmb_mese->currentText(), QStringLiteral("Marzo"));
        QCOMPARE(panel().lbl_oggi->text(), QStringLiteral("giovedì  15  marzo  2029"));
        QCOMPARE(look(QStringLiteral("5")).background, QColor(0xB7, 0xDB, 0xFF));
    }

    void clickInTheDayList()
    {
        SearchPanel &s = *m_w->page->search;
        s.edt_cscad->setText(QStringLiteral("tardi"));
        Workstation::click(s.bbt_cerca_scad);
        panel().calendario->setDay(11);
        DataGrid *grid = m_w->page->days->SMDBGrid1;
        grid->resize(600, 200);
        const QAbstractItemModel *m = grid->model();
        QCOMPARE(m->rowCount(), 2);

        // "Domani" is not in the narrowed general list: nothing happens.
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->visualRect(m->index(0, 2)).center());
        QVERIFY(m_w->editor().edt_scad->text().isEmpty());
        QVERIFY(!m_w->dm->tr_blocca.active());

        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->visualRect(m->index(1, 2)).center());
        QCOMPARE(m_w->editor().edt_scad->text(), QStringLiteral("Domani tardi"));
        QVERIFY(m_w->dm->tr_blocca.active());
    }
};

QTEST_MAIN(TestCalendar)
#include "test_calendar.moc"
