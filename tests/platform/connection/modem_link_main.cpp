// dorvantix-test-modem-link [NAME]: puts up a modem link (a TUN device of link type PPP, named
// ppp0 unless told otherwise) in the current network namespace and holds it. It prints
// "up NAME" once the link is up, then reads commands from its input, one a line: "down" and
// "up" switch the link, "hangup" (or the end of the input, or SIGTERM) removes it and ends.
#include "tun_modem_link.h"

#include <iostream>
#include <string>
#include <system_error>

int main(int argc, char* argv[]) {
    if (argc > 2) {
        std::cerr << "usage: " << argv[0] << " [INTERFACE-NAME]\n";
        return 64;
    }
    try {
        dvx::test::TunModemLink link(argc == 2 ? argv[1] : "ppp0");
        link.setUp(true);
        std::cout << "up " << link.name() << std::endl;
        std::string command;
        while (std::getline(std::cin, command) && command != "hangup") {
            if (command == "up" || command == "down") {
                link.setUp(command == "up");
                std::cout << command << ' ' << link.name() << std::endl;
            } else if (!command.empty()) {
                std::cerr << "unknown command '" << command << "'\n";
            }
        }
        return 0;
    } catch (const std::system_error& error) {
        std::cerr << argv[0] << ": " << error.what() << '\n';
        return 1;
    }
}
