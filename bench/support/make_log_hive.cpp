// dorvantix-bench-log-hive FILE SESSIONS: writes a log of SESSIONS sessions into the hive FILE
// (made when missing), as the benchmarks' LogHive does, for the desktop benchmarks.
#include "log_hive.h"

#include <QString>
#include <cstdio>

int main(int argc, char* argv[]) {
    bool number = false;
    const int sessions = argc == 3 ? QString::fromLocal8Bit(argv[2]).toInt(&number) : 0;
    if (!number || sessions < 0) {
        std::fprintf(stderr, "usage: %s FILE SESSIONS\n", argv[0]);
        return 2;
    }
    QString error;
    if (!dvx::bench::WriteLogHive(QString::fromLocal8Bit(argv[1]), sessions, error)) {
        std::fprintf(stderr, "%s: %s\n", argv[1], qPrintable(error));
        return 1;
    }
    return 0;
}
