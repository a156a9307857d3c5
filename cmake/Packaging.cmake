# The Debian package, built with CPack from the install rules:
#   cpack --config <build>/CPackConfig.cmake   (or: cmake --build <build> --target package)
# The package installs under the configured CMAKE_INSTALL_PREFIX, the prefix compiled into the
# program to find its data: configure with -DCMAKE_INSTALL_PREFIX=/usr for a system package.
if(NOT CMAKE_INSTALL_PREFIX STREQUAL "/usr")
    message(STATUS "The Debian package installs under ${CMAKE_INSTALL_PREFIX}; configure with "
                   "-DCMAKE_INSTALL_PREFIX=/usr to make it install under /usr")
endif()

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME dorvantix)
set(CPACK_PACKAGE_VENDOR Ostravane)
set(CPACK_PACKAGE_CONTACT "Dorvantix developers <dorvantix@ostravane.com>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${PROJECT_DESCRIPTION}")
set(CPACK_PACKAGING_INSTALL_PREFIX "${CMAKE_INSTALL_PREFIX}")
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION net)
string(CONCAT CPACK_PACKAGE_DESCRIPTION
    "Dorvantix meters the time and the cost of dial-up calls that the telephone company\n"
    "bills per minute. It lives in the tray, notices a modem connection by itself, times\n"
    "each call and prices it with a tariff of peak, off-peak and weekend rates and a\n"
    "minimum charge, keeps a log of the calls with running totals, raises alarms on time\n"
    "and cost limits, and saves, loads and prints the log.")
# The libraries come from the binaries; the fonts its windows and reports are laid out in and
# the sound server that plays the alarm are needed at run time but linked by nothing.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "fonts-liberation | fonts-liberation2, pulseaudio | pipewire-pulse")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)

include(CPack)
