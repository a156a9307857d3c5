#include "app/display_check.h"

#include <QApplication>
#include <QMessageBox>
#include <cstdio>

int main(int argc, char* argv[]) {
    if (const QString reason = dvx::MissingDisplayReason(); !reason.isEmpty()) {
        std::fprintf(stderr, "%s\n", qPrintable(reason));
        return 2;
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Dorvantix"));
    return 0;
}
