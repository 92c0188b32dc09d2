// Holds the single-instance registration for the program path given as the
// first argument, like a running copy of the program. Prints "registered" or
// "refused" (and exits 2), then "raised" each time another copy asks. An
// optional second argument, a moment in ms since the epoch, makes several
// holders check at the same instant.
#include "platform/SingleInstance.h"

#include <QCoreApplication>
#include <QDateTime>
#include <cstdio>

namespace {

void say(const char *word)
{
    std::printf("%s\n", word);
    std::fflush(stdout);
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    if (argc != 2 && argc != 3)
        return 1;
    if (argc == 3) {
        const qint64 startAt = QByteArray(argv[2]).toLongLong();
        while (QDateTime::currentMSecsSinceEpoch() < startAt) {
            // spin: sleeping would wake the holders at different moments
        }
    }
    velmora::SingleInstance instance(QString::fromLocal8Bit(argv[1]));
    if (instance.anotherRunning()) {
        say("refused");
        return 2;
    }
    QObject::connect(&instance, &velmora::SingleInstance::raiseRequested, &app, [] { say("raised"); });
    say("registered");
    return app.exec();
}
