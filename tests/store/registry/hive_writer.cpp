// A test helper: writes a stream of session-like records to a hive through the registry
// functions and prints the number of each record once its last write has returned.
//   hive_writer HIVE NAME COUNT
// writes Software\Ostravane\Dorvantix\Sessions\NAME-i (i = 0 .. COUNT-1, COUNT 0 = forever).
#include "store/registry/hive.h"
#include "store/registry/regutils.h"

#include <cstdio>
#include <cstdlib>

using namespace dvx;

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: hive_writer HIVE NAME COUNT\n");
        return 2;
    }
    Hive hive(QString::fromLocal8Bit(argv[1]));
    const Registry registry(hive);
    const QString name = QString::fromLocal8Bit(argv[2]);
    const long count = std::strtol(argv[3], nullptr, 10);
    const QString sessions = QStringLiteral("Software\\Ostravane\\Dorvantix\\Sessions\\");
    for (long i = 0; count == 0 || i < count; ++i) {
        const QString key = sessions + name + QLatin1Char('-') + QString::number(i);
        const bool failed =
            registry.EnsureRegKey(key) ||
            registry.WriteRegInteger(key, QStringLiteral("CallTime"), int(i)) ||
            registry.WriteRegString(key, QStringLiteral("Description"),
                                    QStringLiteral("record %1").arg(i)) ||
            registry.WriteRegInteger(QStringLiteral("Software\\Ostravane\\Dorvantix"),
                                     QStringLiteral("Last ") + name, int(i));
        if (failed) {
            std::fprintf(stderr, "hive_writer: record %ld failed: %s\n", i,
                         qPrintable(hive.lastError()));
            return 1;
        }
        std::printf("%ld\n", i);
        std::fflush(stdout);
    }
    return 0;
}
