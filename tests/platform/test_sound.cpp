// The real sound seam and the nested waits: the length of a WAVE file, the
// beep without waiting where no output device is usable, and a wait that a
// request to end the program cuts short.
#include "platform/NestedWait.h"
#include "platform/QuitRequest.h"
#include "platform/Sound.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTimer>
#include <QtEndian>
#include <QtTest>

using namespace velmora;

namespace {

// A PCM WAVE file of the given length: 8000 samples per second, 16 bits, mono.
QByteArray wave(int milliseconds, const QByteArray &extraChunk = {})
{
    const quint32 byteRate = 16000;
    const quint32 dataSize = byteRate * static_cast<quint32>(milliseconds) / 1000;
    auto le32 = [](quint32 v) {
        QByteArray b(4, '\0');
        qToLittleEndian(v, b.data());
        return b;
    };
    auto le16 = [](quint16 v) {
        QByteArray b(2, '\0');
        qToLittleEndian(v, b.data());
        return b;
    };
    QByteArray fmt = le16(1) + le16(1) + le32(8000) + le32(byteRate) + le16(2) + le16(16);
    QByteArray body = "WAVE" + extraChunk + "fmt " + le32(static_cast<quint32>(fmt.size())) + fmt + "data"
                      + le32(dataSize) + QByteArray(static_cast<int>(dataSize), '\0');
    return "RIFF" + le32(static_cast<quint32>(body.size())) + body;
}

} // namespace

class TestSound : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init() { QuitRequest::instance().clear(); }
    void cleanup() { QuitRequest::instance().clear(); }
    void length_data();
    void length();
    void noDeviceNoWait();
    void quitEndsWait();
    void quitBeforeWait();
    void boundEndsWait();

private:
    QTemporaryDir m_dir;
};

void TestSound::length_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<int>("expected");   // -1: not a playable WAVE file
    QTest::newRow("1.5 s") << wave(1500) << 1500;
    QTest::newRow("list chunk before fmt") << wave(250, "LIST" + QByteArray("\x04\0\0\0abcd", 8)) << 250;
    QTest::newRow("header claims more than the file holds") << wave(2000).left(44 + 8000) << 500;
    QTest::newRow("not RIFF") << QByteArray("ID3\x03 not a wave at all, an mp3 perhaps") << -1;
    QTest::newRow("empty") << QByteArray() << -1;
    QTest::newRow("cut in the header") << wave(1000).left(30) << -1;
}

void TestSound::length()
{
    QFETCH(QByteArray, content);
    QFETCH(int, expected);
    const QString path = m_dir.filePath(QStringLiteral("s.wav"));
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(content);
    f.close();
    const std::optional<int> length = waveLengthMs(path);
    QCOMPARE(length.value_or(-1), expected);
    QVERIFY(!waveLengthMs(m_dir.filePath(QStringLiteral("missing.wav"))));
}

// No output device: the beep, and play() returns without running the event
// loop, so the alarm window comes at once.
void TestSound::noDeviceNoWait()
{
    if (audioOutputUsable())
        QSKIP("this machine has an audio output device");
    const QString path = m_dir.filePath(QStringLiteral("alarm.wav"));
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(wave(3000));
    f.close();
    bool eventsRan = false;
    QTimer probe;
    probe.setSingleShot(true);
    connect(&probe, &QTimer::timeout, this, [&] { eventsRan = true; });
    probe.start(0);
    sound().play(path);
    sound().play(m_dir.filePath(QStringLiteral("missing.wav")));
    QVERIFY(!eventsRan);
}

// A wait whose end never comes (a device that never reports the end of its
// sound) gives up when the program is asked to end.
void TestSound::quitEndsWait()
{
    QTimer::singleShot(20, this, [] { QuitRequest::instance().request(); });
    NestedWait wait(3600 * 1000);
    QVERIFY(!wait.until([] { return false; }));
    QVERIFY(quitRequested());
}

// Once the request is made, a new wait does not start at all, even though a
// local event loop would return at once and spin.
void TestSound::quitBeforeWait()
{
    QuitRequest::instance().request();
    bool eventsRan = false;
    QTimer probe;
    probe.setSingleShot(true);
    connect(&probe, &QTimer::timeout, this, [&] { eventsRan = true; });
    probe.start(0);
    QVERIFY(!NestedWait(3600 * 1000).pause());
    QVERIFY(!eventsRan);
}

void TestSound::boundEndsWait()
{
    int looked = 0;
    QVERIFY(!NestedWait(30).until([&] { return ++looked < 0; }));
    QVERIFY(looked >= 1);
    bool ready = false;
    QTimer timer;
    NestedWait wait(3600 * 1000);
    wait.wakeOn(&timer, &QTimer::timeout);
    QObject::connect(&timer, &QTimer::timeout, this, [&] { ready = true; });
    timer.start(10);
    QVERIFY(wait.until([&] { return ready; }));
}

QTEST_MAIN(TestSound)
#include "test_sound.moc"
