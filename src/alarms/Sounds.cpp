#include "alarms/Sounds.h"

#include "platform/Paths.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

// A static library's resources are registered only when asked for, and the
// macro must stand outside every namespace.
static void registerSoundResources()
{
    Q_INIT_RESOURCE(sounds);
}

namespace velmora {

namespace {

const QString alarmName = QStringLiteral("Allarme.wav");
const QString messageName = QStringLiteral("Messaggio.wav");

QString soundPath(const QString &name)
{
    return velmoraPath({QStringLiteral("Allarme"), name});
}

// A copy that cannot be made leaves the file missing: the sound seam plays
// the desktop's beep in its place.
void installSound(const QString &name)
{
    const QString target = soundPath(name);
    if (QFileInfo::exists(target))
        return;
    QDir().mkpath(QFileInfo(target).absolutePath());
    // The sounds installed with the program, else the ones built into it.
    const QString installed = QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("../share/velmora/") + name);
    if (QFile::copy(QFileInfo(installed).isFile() ? installed : QStringLiteral(":/sounds/") + name, target))
        // Copies out of the resources come read-only.
        QFile::setPermissions(target, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther);
}

} // namespace

void installSounds()
{
    registerSoundResources();
    installSound(alarmName);
    installSound(messageName);
}

QString alarmSound()
{
    return soundPath(alarmName);
}

QString messageSound()
{
    return soundPath(messageName);
}

} // namespace velmora
