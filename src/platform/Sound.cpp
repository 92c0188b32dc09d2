#include "platform/Sound.h"

#include "platform/NestedWait.h"

#include <QApplication>
#include <QAudioDevice>
#include <QFile>
#include <QMediaDevices>
#include <QSoundEffect>
#include <QUrl>
#include <QtEndian>

namespace velmora {

namespace {

// Loading and the device's own latency, on top of the file's length.
constexpr int marginMs = 1000;

quint32 le32(const QByteArray &bytes, qsizetype at)
{
    return qFromLittleEndian<quint32>(bytes.constData() + at);
}

class QtSound : public Sound {
public:
    void play(const QString &file) override
    {
        // Without a device, or with a file no player takes, there is nothing
        // to wait for: the beep, and the window comes at once.
        const std::optional<int> length = waveLengthMs(file);
        if (!length || !audioOutputUsable()) {
            QApplication::beep();
            return;
        }
        QSoundEffect effect;
        // The user's input waits until the sound ends; a device that never
        // reports the end holds the program no longer than the file lasts.
        NestedWait wait(*length + marginMs, QEventLoop::ExcludeUserInputEvents);
        wait.wakeOn(&effect, &QSoundEffect::statusChanged);
        wait.wakeOn(&effect, &QSoundEffect::playingChanged);

        effect.setSource(QUrl::fromLocalFile(file));
        wait.until([&] { return effect.status() != QSoundEffect::Loading; });
        if (effect.status() != QSoundEffect::Ready) {
            QApplication::beep();
            return;
        }
        effect.play();
        wait.until([&] { return !effect.isPlaying() && effect.status() != QSoundEffect::Loading; });
    }
};

QtSound qtSound;
Sound *installed = &qtSound;

} // namespace

Sound &sound()
{
    return *installed;
}

void setSound(Sound *replacement)
{
    installed = replacement ? replacement : &qtSound;
}

std::optional<int> waveLengthMs(const QString &file)
{
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly))
        return std::nullopt;
    // The chunks that matter come first in every file a player writes.
    const QByteArray head = f.read(4096);
    if (head.size() < 12 || !head.startsWith("RIFF") || head.mid(8, 4) != "WAVE")
        return std::nullopt;
    quint32 byteRate = 0;
    for (qsizetype at = 12; at + 8 <= head.size();) {
        const QByteArray id = head.mid(at, 4);
        const quint32 size = le32(head, at + 4);
        if (id == "fmt " && at + 20 <= head.size())
            byteRate = le32(head, at + 8 + 8);
        if (id == "data") {
            if (byteRate == 0)
                return std::nullopt;
            // A header that claims more than the file holds plays what is there.
            const qint64 available = f.size() - (at + 8);
            const qint64 bytes = qMin<qint64>(size, available);
            return static_cast<int>(bytes * 1000 / byteRate);
        }
        at += 8 + size + (size & 1);
    }
    return std::nullopt;
}

bool audioOutputUsable()
{
    return !QMediaDevices::defaultAudioOutput().isNull();
}

} // namespace velmora
