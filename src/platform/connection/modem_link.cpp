#include "platform/connection/modem_link.h"

#include <fstream>
#include <net/if_arp.h>

namespace dvx {

namespace {

// An interface name is one path component; anything else never names a sysfs entry.
bool IsPlainName(const std::string& name) {
    return !name.empty() && name != "." && name != ".." && name.find('/') == std::string::npos;
}

} // namespace

bool IsWwanDevice(const std::string& interfaceName, const std::filesystem::path& classNetDir) {
    if (!IsPlainName(interfaceName)) {
        return false;
    }
    std::ifstream uevent(classNetDir / interfaceName / "uevent");
    std::string line;
    while (std::getline(uevent, line)) {
        if (line == "DEVTYPE=wwan") {
            return true;
        }
    }
    return false;
}

bool IsModemLink(const std::string& interfaceName, unsigned linkType,
                 const std::filesystem::path& classNetDir) {
    return linkType == ARPHRD_PPP || IsWwanDevice(interfaceName, classNetDir);
}

} // namespace dvx
