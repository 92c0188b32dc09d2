// The minute timer: every minute of the clock once, early in the minute.
#include "SettableClock.h"
#include "platform/MinuteTimer.h"

#include <QSignalSpy>
#include <QtTest>

using namespace velmora;

class TestMinuteTimer : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void delay_data()
    {
        QTest::addColumn<QTime>("now");
        QTest::addColumn<int>("delay");
        QTest::newRow("start of a minute") << QTime(10, 30, 0) << 60050;
        QTest::newRow("middle") << QTime(10, 30, 30, 500) << 29550;
        QTest::newRow("last millisecond") << QTime(10, 30, 59, 999) << 51;
        QTest::newRow("before midnight") << QTime(23, 59, 59) << 1050;
    }

    void delay()
    {
        QFETCH(QTime, now);
        QFETCH(int, delay);
        QCOMPARE(MinuteTimer::delayToNextMinute(QDateTime(QDate(2026, 12, 10), now)), delay);
    }

    // Ticks that come late, even far into the next minute, lose no minute and
    // deliver none twice, across midnight too.
    void aDayOfTicks()
    {
        const QDateTime start(QDate(2028, 2, 28), QTime(12, 0, 20));
        test::SettableClock clock(start);
        MinuteTimer timer;
        QSignalSpy minutes(&timer, &MinuteTimer::minute);
        timer.start();
        QVERIFY(timer.isActive());
        QDateTime t = start;
        for (int i = 0; i < 24 * 60; ++i) {
            // The next tick lands 50 ms into its minute, or up to 55 s late
            // after a slow one; now and then two minutes run into one tick.
            const int late = (i % 7 == 0) ? 55000 : 50;
            t = QDateTime(t.date(), QTime(t.time().hour(), t.time().minute())).addSecs(60).addMSecs(late);
            if (i % 97 == 0)
                t = t.addSecs(60);   // a tick that took more than a minute
            clock.set(t);
            timer.fire();
        }
        QDateTime expected(start.date(), QTime(12, 1));
        for (const QList<QVariant> &m : minutes) {
            QCOMPARE(m.at(0).toDateTime(), expected);
            expected = expected.addSecs(60);
        }
        QCOMPARE(minutes.last().at(0).toDateTime(), QDateTime(t.date(), QTime(t.time().hour(), t.time().minute())));
        QVERIFY(minutes.size() > 24 * 60);   // the 29th of February included, minute by minute
    }

    // The clock set back an hour, or a gap too long to make up (a suspended
    // computer): the timer starts again from the current minute alone.
    void restartsFromTheCurrentMinute_data()
    {
        QTest::addColumn<QDateTime>("start");
        QTest::addColumn<QDateTime>("tick");
        QTest::newRow("clock set back") << QDateTime(QDate(2026, 10, 25), QTime(2, 59, 10))
                                        << QDateTime(QDate(2026, 10, 25), QTime(2, 0, 5));
        QTest::newRow("long gap") << QDateTime(QDate(2026, 12, 10), QTime(8, 0, 0))
                                  << QDateTime(QDate(2026, 12, 10), QTime(11, 0, 1));
    }

    void restartsFromTheCurrentMinute()
    {
        QFETCH(QDateTime, start);
        QFETCH(QDateTime, tick);
        test::SettableClock clock(start);
        MinuteTimer timer;
        QSignalSpy minutes(&timer, &MinuteTimer::minute);
        timer.start();
        clock.set(tick);
        timer.fire();
        QCOMPARE(minutes.size(), 1);
        QCOMPARE(minutes.first().at(0).toDateTime(), QDateTime(tick.date(), QTime(tick.time().hour(), tick.time().minute())));
    }

    // Around a tick the clock steps: back by 300 ms (the tick lands just
    // before its minute) or ahead by 90 s. Every minute comes exactly once.
    void clockSteps_data()
    {
        QTest::addColumn<QList<QTime>>("ticks");
        QTest::addColumn<QList<QTime>>("expected");
        QTest::newRow("300 ms back") << QList<QTime>{QTime(10, 31, 0, 50), QTime(10, 31, 59, 750), QTime(10, 32, 0, 50)}
                                     << QList<QTime>{QTime(10, 31), QTime(10, 32)};
        QTest::newRow("90 s ahead") << QList<QTime>{QTime(10, 31, 0, 50), QTime(10, 33, 30, 50), QTime(10, 34, 0, 50)}
                                    << QList<QTime>{QTime(10, 31), QTime(10, 32), QTime(10, 33), QTime(10, 34)};
        QTest::newRow("300 ms back twice") << QList<QTime>{QTime(10, 30, 59, 700), QTime(10, 31, 0, 50), QTime(10, 31, 59, 700),
                                                          QTime(10, 32, 0, 50)}
                                           << QList<QTime>{QTime(10, 31), QTime(10, 32)};
    }

    void clockSteps()
    {
        QFETCH(QList<QTime>, ticks);
        QFETCH(QList<QTime>, expected);
        const QDate day(2026, 12, 10);
        test::SettableClock clock(QDateTime(day, QTime(10, 30, 20)));
        MinuteTimer timer;
        QSignalSpy minutes(&timer, &MinuteTimer::minute);
        timer.start();
        for (const QTime &t : ticks) {
            clock.set(QDateTime(day, t));
            timer.fire();
        }
        QList<QTime> delivered;
        for (const QList<QVariant> &m : minutes)
            delivered << m.at(0).toDateTime().time();
        QCOMPARE(delivered, expected);
    }

    // Counting from the moment the start-up check looked: a minute that began
    // while the check ran is still delivered, and at once.
    void startFromEarlierMoment()
    {
        const QDate day(2026, 12, 10);
        test::SettableClock clock(QDateTime(day, QTime(10, 31, 5)));
        MinuteTimer timer;
        QSignalSpy minutes(&timer, &MinuteTimer::minute);
        timer.start(QDateTime(day, QTime(10, 30, 58)));
        QVERIFY(timer.isActive());
        QVERIFY(minutes.wait(1000));
        QCOMPARE(minutes.size(), 1);
        QCOMPARE(minutes.first().at(0).toDateTime(), QDateTime(day, QTime(10, 31)));
    }

    // A minute whose slot waits in the event loop (an alarm sound, then a
    // message box left open): the timer's next tick still comes, inside that
    // wait, and delivers the next minute; each minute comes once, in order.
    void slotWaitingInTheEventLoop()
    {
        const QDate day(2026, 12, 10);
        test::SettableClock clock(QDateTime(day, QTime(10, 30, 20)));
        MinuteTimer timer;
        QList<QTime> delivered;
        connect(&timer, &MinuteTimer::minute, this, [&](const QDateTime &m) {
            delivered << m.time();
            if (m.time() != QTime(10, 31))
                return;
            // The next tick is due in 60 ms; when it comes, its minute has begun.
            clock.set(QDateTime(day, QTime(10, 32, 0, 50)));
            QVERIFY(timer.isActive());
            QTRY_COMPARE_WITH_TIMEOUT(delivered.size(), 2, 5000);
        });
        timer.start();
        clock.set(QDateTime(day, QTime(10, 31, 59, 990)));
        timer.fire();
        QCOMPARE(delivered, (QList<QTime>{QTime(10, 31), QTime(10, 32)}));
        QVERIFY(timer.isActive());
    }

    // A slot that stops the timer (the connection was lost during the scan):
    // it stays stopped, and the minutes left in that round are not delivered.
    void stoppedBySlot()
    {
        const QDate day(2026, 12, 10);
        test::SettableClock clock(QDateTime(day, QTime(10, 30, 20)));
        MinuteTimer timer;
        QSignalSpy minutes(&timer, &MinuteTimer::minute);
        connect(&timer, &MinuteTimer::minute, &timer, &MinuteTimer::stop);
        timer.start();
        clock.set(QDateTime(day, QTime(10, 33, 0, 50)));
        timer.fire();
        QCOMPARE(minutes.size(), 1);
        QVERIFY(!timer.isActive());
    }

    void stop()
    {
        MinuteTimer timer;
        timer.start();
        timer.stop();
        QVERIFY(!timer.isActive());
        QCOMPARE(timer.interval(), 60000);
    }
};

QTEST_GUILESS_MAIN(TestMinuteTimer)
#include "test_minute_timer.moc"
