#include "platform/Sound.h"

#include <QApplication>
#include <QEventLoop>
#include <QFileInfo>
#include <QSoundEffect>
#include <QTimer>
#include <QUrl>

namespace velmora {

namespace {

// No sound of ours lasts this long: a device that never reports the end
// must not hold the program.
constexpr int longestWaitMs = 20000;

class QtSound : public Sound {
public:
    void play(const QString &file) override
    {
        if (!QFileInfo(file).isFile()) {
            QApplication::beep();
            return;
        }
        QSoundEffect effect;
        QEventLoop loop;
        QTimer bound;
        bound.setSingleShot(true);
        QObject::connect(&bound, &QTimer::timeout, &loop, &QEventLoop::quit);
        QObject::connect(&effect, &QSoundEffect::statusChanged, &loop, &QEventLoop::quit);
        QObject::connect(&effect, &QSoundEffect::playingChanged, &loop, &QEventLoop::quit);

        effect.setSource(QUrl::fromLocalFile(file));
        bound.start(longestWaitMs);
        // Loading is asynchronous; the user's input waits until the sound ends.
        while (effect.status() == QSoundEffect::Loading && bound.isActive())
            loop.exec(QEventLoop::ExcludeUserInputEvents);
        if (effect.status() != QSoundEffect::Ready) {
            QApplication::beep();
            return;
        }
        effect.play();
        while ((effect.isPlaying() || effect.status() == QSoundEffect::Loading) && bound.isActive())
            loop.exec(QEventLoop::ExcludeUserInputEvents);
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

} // namespace velmora
