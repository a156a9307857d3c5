#pragma once

#include <QApplication>

namespace dvx::test {

// The one application object that windows, fonts and printers need; made on first use and kept
// for the whole test program.
inline void EnsureApplication() {
    if (QApplication::instance() == nullptr) {
        static int argc = 1;
        static char name[] = "dorvantix-print-tests";
        static char* argv[] = {name, nullptr};
        new QApplication(argc, argv);
    }
}

} // namespace dvx::test
