#include "app/SessionEnd.h"
#include "app/Startup.h"
#include "platform/ErrorReport.h"

#include <QApplication>

namespace {

// As early as the program's own code runs, before main() and before any
// thread starts, so that every thread inherits it.
[[maybe_unused]] const bool terminateHeld = (velmora::SessionEnd::holdTerminate(), true);

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    velmora::Startup startup;
    // A start that cannot even register (the system's error text) ends in the error box.
    int code = 1;
    velmora::guarded([&] { code = startup.run(); });
    return code;
}
