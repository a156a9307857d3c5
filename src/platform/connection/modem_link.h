#pragma once

#include <filesystem>
#include <string>

namespace dvx {

// Whether a network interface is a modem link: pppd's link over a serial or USB modem (link
// type PPP) or a mobile broadband (WWAN) device.
bool IsModemLink(const std::string& interfaceName, unsigned linkType,
                 const std::filesystem::path& classNetDir = "/sys/class/net");

// Whether the kernel describes the named interface as a WWAN device (DEVTYPE=wwan in its
// uevent file under classNetDir).
bool IsWwanDevice(const std::string& interfaceName,
                  const std::filesystem::path& classNetDir = "/sys/class/net");

} // namespace dvx
