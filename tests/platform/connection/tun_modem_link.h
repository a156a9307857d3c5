#pragma once

#include <string>

namespace dvx::test {

// A stand-in for pppd's modem link: a TUN device whose link type is PPP. It exists while this
// object holds its descriptor; destroying the object is the hang-up. Needs CAP_NET_ADMIN.
class TunModemLink {
public:
    // Creates the link, down; throws std::system_error when the kernel refuses.
    explicit TunModemLink(const std::string& name = "ppp0");
    ~TunModemLink();
    TunModemLink(const TunModemLink&) = delete;
    TunModemLink& operator=(const TunModemLink&) = delete;

    // Brings the link up (connected) or down; throws std::system_error on failure.
    void setUp(bool up);
    const std::string& name() const { return name_; }

private:
    int descriptor_ = -1;
    std::string name_;
};

} // namespace dvx::test
