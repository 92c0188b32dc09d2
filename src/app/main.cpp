#include "app/Startup.h"
#include "platform/ErrorReport.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    velmora::Startup startup;
    // A start that cannot even register (the system's error text) ends in the error box.
    int code = 1;
    velmora::guarded([&] { code = startup.run(); });
    return code;
}
