// The month calendar: element rules, the date-changed signal, the paint hook,
// clicks and keys.
#include "SettableClock.h"
#include "platform/Error.h"
#include "widgets/MonthCalendar.h"

#include <QSignalSpy>
#include <QtTest>

using namespace velmora;

namespace {

struct Cell {
    int column;
    int row;
    QString text;
};

// Every cell the hook saw in one drawing, in the order it saw them.
QList<Cell> paintedCells(MonthCalendar &calendar)
{
    QList<Cell> cells;
    calendar.setCellPainter([&cells](int column, int row, const QString &text,
                                     MonthCalendar::CellStyle &) {
        cells.append({column, row, text});
    });
    calendar.grab();
    calendar.setCellPainter({});
    return cells;
}

QPoint centre(const MonthCalendar &calendar, int column, int row)
{
    return calendar.cellRect(column, row).center();
}

} // namespace

class TestMonthCalendar : public QObject {
    Q_OBJECT

    test::SettableClock m_clock{QDateTime(QDate(2024, 3, 15), QTime(10, 0))};

private Q_SLOTS:
    void startsAtToday()
    {
        MonthCalendar calendar;
        QCOMPARE(calendar.date(), QDate(2024, 3, 15));
        QVERIFY(calendar.sizeHint().width() <= 300);
    }

    void elements_data()
    {
        QTest::addColumn<QDate>("start");
        QTest::addColumn<QString>("element");
        QTest::addColumn<int>("value");
        QTest::addColumn<QDate>("expected");
        QTest::addColumn<QString>("error");

        const QDate d15_03(2024, 3, 15);
        const QString ok;
        const QString refused = QStringLiteral("Invalid argument to date encode");
        QTest::newRow("year 0 ignored") << d15_03 << "year" << 0 << d15_03 << ok;
        QTest::newRow("year -1 ignored") << d15_03 << "year" << -1 << d15_03 << ok;
        QTest::newRow("same year") << d15_03 << "year" << 2024 << d15_03 << ok;
        QTest::newRow("year 2025") << d15_03 << "year" << 2025 << QDate(2025, 3, 15) << ok;
        QTest::newRow("year 9999") << d15_03 << "year" << 9999 << QDate(9999, 3, 15) << ok;
        QTest::newRow("year 10000 refused") << d15_03 << "year" << 10000 << d15_03 << refused;
        QTest::newRow("29/02/2024 then 2023 refused")
            << QDate(2024, 2, 29) << "year" << 2023 << QDate(2024, 2, 29) << refused;
        QTest::newRow("29/02/2024 then 2028")
            << QDate(2024, 2, 29) << "year" << 2028 << QDate(2028, 2, 29) << ok;
        QTest::newRow("month 0 ignored") << d15_03 << "month" << 0 << d15_03 << ok;
        QTest::newRow("month 13 ignored") << d15_03 << "month" << 13 << d15_03 << ok;
        QTest::newRow("same month") << d15_03 << "month" << 3 << d15_03 << ok;
        QTest::newRow("month 4") << d15_03 << "month" << 4 << QDate(2024, 4, 15) << ok;
        QTest::newRow("31st then month 4 refused")
            << QDate(2024, 3, 31) << "month" << 4 << QDate(2024, 3, 31) << refused;
        QTest::newRow("30th then month 2 refused")
            << QDate(2024, 1, 30) << "month" << 2 << QDate(2024, 1, 30) << refused;
        QTest::newRow("day 0 ignored") << d15_03 << "day" << 0 << d15_03 << ok;
        QTest::newRow("day 32 ignored") << d15_03 << "day" << 32 << d15_03 << ok;
        QTest::newRow("day 31 of April ignored")
            << QDate(2024, 4, 15) << "day" << 31 << QDate(2024, 4, 15) << ok;
        QTest::newRow("day 30 of February 2024 ignored")
            << QDate(2024, 2, 10) << "day" << 30 << QDate(2024, 2, 10) << ok;
        QTest::newRow("same day") << d15_03 << "day" << 15 << d15_03 << ok;
        QTest::newRow("day 31 of March") << d15_03 << "day" << 31 << QDate(2024, 3, 31) << ok;
        QTest::newRow("day 1") << d15_03 << "day" << 1 << QDate(2024, 3, 1) << ok;
    }

    void elements()
    {
        QFETCH(QDate, start);
        QFETCH(QString, element);
        QFETCH(int, value);
        QFETCH(QDate, expected);
        QFETCH(QString, error);

        MonthCalendar calendar;
        calendar.setDate(start);
        QSignalSpy changed(&calendar, &MonthCalendar::dateChanged);
        QString thrown;
        try {
            if (element == QLatin1String("year"))
                calendar.setYear(value);
            else if (element == QLatin1String("month"))
                calendar.setMonth(value);
            else
                calendar.setDay(value);
        } catch (const Error &e) {
            thrown = e.text();
        }
        QCOMPARE(thrown, error);
        QCOMPARE(calendar.date(), expected);
        QCOMPARE(changed.size(), expected == start ? 0 : 1);
        if (!changed.isEmpty())
            QCOMPARE(changed.first().first().toDate(), expected);
    }

    void wholeDate()
    {
        MonthCalendar calendar;
        QSignalSpy changed(&calendar, &MonthCalendar::dateChanged);
        calendar.setDate(QDate(2024, 3, 15));
        QCOMPARE(changed.size(), 0);
        calendar.setDate(QDate(2025, 12, 31));
        QCOMPARE(changed.size(), 1);
        QCOMPARE(calendar.date(), QDate(2025, 12, 31));
        QVERIFY_THROWS_EXCEPTION(Error, calendar.setDate(QDate()));
        QVERIFY_THROWS_EXCEPTION(Error, calendar.setDate(QDate(10000, 1, 1)));
        QCOMPARE(calendar.date(), QDate(2025, 12, 31));
        QCOMPARE(changed.size(), 1);
    }

    void cells_data()
    {
        QTest::addColumn<QDate>("date");
        QTest::addColumn<int>("lead");   // empty cells before the 1st in row 1
        QTest::newRow("March 2024 starts on Friday") << QDate(2024, 3, 15) << 4;
        QTest::newRow("April 2024 starts on Monday") << QDate(2024, 4, 1) << 0;
        QTest::newRow("September 2024 starts on Sunday") << QDate(2024, 9, 30) << 6;
        QTest::newRow("February 2021 fills four rows") << QDate(2021, 2, 1) << 0;
    }

    void cells()
    {
        QFETCH(QDate, date);
        QFETCH(int, lead);
        MonthCalendar calendar;
        calendar.resize(calendar.sizeHint());
        calendar.setDate(date);

        const QList<Cell> cells = paintedCells(calendar);
        QCOMPARE(cells.size(), 49);
        const QStringList names = {"lun", "mar", "mer", "gio", "ven", "sab", "dom"};
        for (const Cell &cell : cells) {
            QString expected;
            if (cell.row == 0) {
                expected = names.at(cell.column);
            } else {
                const int day = (cell.row - 1) * 7 + cell.column - lead + 1;
                if (day >= 1 && day <= date.daysInMonth())
                    expected = QString::number(day);
            }
            QCOMPARE(cell.text, expected);
            QCOMPARE(calendar.cellText(cell.column, cell.row), expected);
        }
    }

    void hookStyleIsDrawn()
    {
        MonthCalendar calendar;
        calendar.resize(calendar.sizeHint());
        const QColor blue(0xB7, 0xDB, 0xFF);
        calendar.setCellPainter([&](int, int, const QString &text, MonthCalendar::CellStyle &style) {
            if (text == QLatin1String("5"))
                style.background = blue;
        });
        const QImage image = calendar.grab().toImage();
        // March 2024: the 5th is Tuesday of the first week.
        const QRect five = calendar.cellRect(1, 2);
        QCOMPARE(calendar.cellText(1, 2), QStringLiteral("5"));
        QCOMPARE(image.pixelColor(five.topLeft() + QPoint(5, 5)), blue);
        const QRect six = calendar.cellRect(2, 2);
        QVERIFY(image.pixelColor(six.topLeft() + QPoint(5, 5)) != blue);
    }

    void clickChoosesADay()
    {
        MonthCalendar calendar;
        calendar.resize(calendar.sizeHint());
        calendar.show();
        QVERIFY(QTest::qWaitForWindowExposed(&calendar));
        QSignalSpy changed(&calendar, &MonthCalendar::dateChanged);

        QTest::mouseClick(&calendar, Qt::LeftButton, {}, centre(calendar, 6, 5));   // the 31st
        QCOMPARE(calendar.date(), QDate(2024, 3, 31));
        QCOMPARE(changed.size(), 1);

        QTest::mouseClick(&calendar, Qt::LeftButton, {}, centre(calendar, 0, 1));   // before the 1st
        QTest::mouseClick(&calendar, Qt::LeftButton, {}, centre(calendar, 0, 6));   // after the 31st
        QTest::mouseClick(&calendar, Qt::LeftButton, {}, centre(calendar, 3, 0));   // a day name
        QTest::mouseClick(&calendar, Qt::LeftButton, {}, centre(calendar, 6, 5));   // the same day
        QCOMPARE(calendar.date(), QDate(2024, 3, 31));
        QCOMPARE(changed.size(), 1);
    }

    void doubleClick()
    {
        MonthCalendar calendar;
        calendar.resize(calendar.sizeHint());
        calendar.show();
        QVERIFY(QTest::qWaitForWindowExposed(&calendar));
        QSignalSpy doubled(&calendar, &MonthCalendar::doubleClicked);
        QTest::mouseDClick(&calendar, Qt::LeftButton, {}, centre(calendar, 0, 2));   // the 4th
        QCOMPARE(doubled.size(), 1);
        QCOMPARE(calendar.date(), QDate(2024, 3, 4));
    }

    void arrowsStayInTheMonth_data()
    {
        QTest::addColumn<QDate>("start");
        QTest::addColumn<int>("key");
        QTest::addColumn<QDate>("expected");
        QTest::newRow("right") << QDate(2024, 3, 15) << int(Qt::Key_Right) << QDate(2024, 3, 16);
        QTest::newRow("left") << QDate(2024, 3, 15) << int(Qt::Key_Left) << QDate(2024, 3, 14);
        QTest::newRow("up") << QDate(2024, 3, 15) << int(Qt::Key_Up) << QDate(2024, 3, 8);
        QTest::newRow("down") << QDate(2024, 3, 15) << int(Qt::Key_Down) << QDate(2024, 3, 22);
        QTest::newRow("left at the 1st") << QDate(2024, 3, 1) << int(Qt::Key_Left) << QDate(2024, 3, 1);
        QTest::newRow("down near the end") << QDate(2024, 3, 28) << int(Qt::Key_Down) << QDate(2024, 3, 28);
    }

    void arrowsStayInTheMonth()
    {
        QFETCH(QDate, start);
        QFETCH(int, key);
        QFETCH(QDate, expected);
        MonthCalendar calendar;
        calendar.setDate(start);
        QTest::keyClick(&calendar, Qt::Key(key));
        QCOMPARE(calendar.date(), expected);
    }
};

QTEST_MAIN(TestMonthCalendar)
#include "test_month_calendar.moc"
