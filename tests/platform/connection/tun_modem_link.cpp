#include "tun_modem_link.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <linux/if_tun.h>
#include <net/if.h>
#include <net/if_arp.h>
#include <sys/ioctl.h>
#include <sys/socket.h>
#include <system_error>
#include <unistd.h>

namespace dvx::test {

namespace {

[[noreturn]] void Fail(const std::string& what) {
    throw std::system_error(errno, std::generic_category(), what);
}

ifreq RequestFor(const std::string& name) {
    ifreq request{};
    std::strncpy(request.ifr_name, name.c_str(), IFNAMSIZ - 1);
    return request;
}

} // namespace

TunModemLink::TunModemLink(const std::string& name) : name_(name) {
    if (name.empty() || name.size() >= IFNAMSIZ) {
        errno = EINVAL;
        Fail("interface name '" + name + "'");
    }
    descriptor_ = ::open("/dev/net/tun", O_RDWR | O_CLOEXEC);
    if (descriptor_ < 0) {
        Fail("open /dev/net/tun");
    }
    ifreq request = RequestFor(name);
    request.ifr_flags = IFF_TUN | IFF_NO_PI;
    if (::ioctl(descriptor_, TUNSETIFF, &request) != 0 ||
        ::ioctl(descriptor_, TUNSETLINK, static_cast<unsigned long>(ARPHRD_PPP)) != 0) {
        const int error = errno;
        ::close(descriptor_);
        errno = error;
        Fail("make TUN device " + name + " with link type PPP");
    }
}

TunModemLink::~TunModemLink() {
    ::close(descriptor_);
}

void TunModemLink::setUp(bool up) {
    const int control = ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    if (control < 0) {
        Fail("socket for interface flags");
    }
    ifreq request = RequestFor(name_);
    bool done = ::ioctl(control, SIOCGIFFLAGS, &request) == 0;
    if (done) {
        request.ifr_flags = up ? (request.ifr_flags | IFF_UP) : (request.ifr_flags & ~IFF_UP);
        done = ::ioctl(control, SIOCSIFFLAGS, &request) == 0;
    }
    const int error = errno;
    ::close(control);
    if (!done) {
        errno = error;
        Fail("set " + name_ + (up ? " up" : " down"));
    }
}

} // namespace dvx::test
