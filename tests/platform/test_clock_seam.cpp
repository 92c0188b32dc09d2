#include "platform/Clock.h"
#include "SettableClock.h"

#include <QTest>

using namespace velmora;

class TestClockSeam : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void systemClockByDefault();
    void settableClockStandsStill();
    void advance_data();
    void advance();
    void systemClockComesBack();
};

void TestClockSeam::systemClockByDefault()
{
    const QDateTime before = QDateTime::currentDateTime();
    const QDateTime reading = velmora::now();
    QVERIFY(reading >= before);
    QVERIFY(reading <= QDateTime::currentDateTime());
}

void TestClockSeam::settableClockStandsStill()
{
    const QDateTime start(QDate(2024, 2, 29), QTime(21, 0));
    test::SettableClock clock(start);
    QCOMPARE(velmora::now(), start);
    QTest::qWait(20);
    QCOMPARE(velmora::now(), start);
    const QDateTime later(QDate(2031, 12, 31), QTime(23, 59, 59));
    clock.set(later);
    QCOMPARE(velmora::now(), later);
}

void TestClockSeam::advance_data()
{
    QTest::addColumn<QDateTime>("start");
    QTest::addColumn<qint64>("seconds");
    QTest::addColumn<QDateTime>("expected");
    QTest::newRow("one minute") << QDateTime(QDate(2024, 3, 4), QTime(8, 59)) << qint64(60)
                                << QDateTime(QDate(2024, 3, 4), QTime(9, 0));
    QTest::newRow("past midnight") << QDateTime(QDate(2024, 3, 4), QTime(23, 59, 30))
                                   << qint64(45) << QDateTime(QDate(2024, 3, 5), QTime(0, 0, 15));
    QTest::newRow("into 29 February") << QDateTime(QDate(2024, 2, 28), QTime(12, 0))
                                      << qint64(24 * 3600)
                                      << QDateTime(QDate(2024, 2, 29), QTime(12, 0));
    QTest::newRow("backwards") << QDateTime(QDate(2024, 1, 1), QTime(0, 0)) << qint64(-1)
                               << QDateTime(QDate(2023, 12, 31), QTime(23, 59, 59));
}

void TestClockSeam::advance()
{
    QFETCH(QDateTime, start);
    QFETCH(qint64, seconds);
    QFETCH(QDateTime, expected);
    test::SettableClock clock(start);
    clock.advance(seconds);
    QCOMPARE(velmora::now(), expected);
}

void TestClockSeam::systemClockComesBack()
{
    {
        test::SettableClock clock(QDateTime(QDate(2000, 1, 1), QTime(0, 0)));
        QCOMPARE(velmora::now().date(), QDate(2000, 1, 1));
    }
    QVERIFY(qAbs(velmora::now().secsTo(QDateTime::currentDateTime())) <= 1);
}

QTEST_GUILESS_MAIN(TestClockSeam)
#include "test_clock_seam.moc"
