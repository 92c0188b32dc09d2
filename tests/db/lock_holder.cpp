// A second workstation in its own process: takes the lock on a row of the
// database named on the command line, says "locked", and releases it when a
// line arrives on its input.
#include "db/Fdm.h"

#include <QCoreApplication>
#include <QTextStream>

#include <cstdio>
#include <iostream>
#include <string>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: lock_holder <connection> <id>\n");
        return 2;
    }
    velmora::Tdm dm;
    dm.pc = QStringLiteral("10.0.0.99");
    dm.databaseName = QString::fromLocal8Bit(argv[1]);
    try {
        dm.connect();
    } catch (const std::exception &e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
    const bool locked = dm.blocca(QStringLiteral("UPDATE scadenze SET id=id WHERE ID="), QString::fromLatin1(argv[2]).toLongLong());
    std::printf(locked ? "locked\n" : "refused\n");
    std::fflush(stdout);
    std::string line;
    std::getline(std::cin, line);
    dm.sblocca(QStringLiteral("1"));
    std::printf("released\n");
    std::fflush(stdout);
    std::getline(std::cin, line);
    return 0;
}
