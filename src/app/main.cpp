#include "app/EndWatch.h"
#include "app/SessionEnd.h"
#include "app/Startup.h"
#include "platform/ErrorReport.h"
#include "platform/QuitRequest.h"

#include <QApplication>

namespace {

// As early as the program's own code runs, before main() and before any
// thread starts, so that every thread inherits it.
[[maybe_unused]] const bool terminateHeld = (velmora::SessionEnd::holdTerminate(), true);

// How long the program may take to end once asked: a few seconds, as the
// end of a session expects.
constexpr int endGraceMs = 4000;

} // namespace

int main(int argc, char *argv[])
{
    // First, so that it is the last to go: the end of everything else is watched.
    velmora::EndWatch endWatch(endGraceMs);
    QObject::connect(&velmora::QuitRequest::instance(), &velmora::QuitRequest::raised, [&] { endWatch.arm(); });
    QApplication app(argc, argv);
    velmora::Startup startup;
    // A start that cannot even register (the system's error text) ends in the error box.
    int code = 1;
    velmora::guarded([&] { code = startup.run(); });
    return code;
}
