# The Debian package: cpack -G DEB in a build configured with
# -DCMAKE_INSTALL_PREFIX=/usr (scripts/package.sh does both).

set(CPACK_PACKAGE_NAME dalvimo)
set(CPACK_PACKAGE_VENDOR "The Dalvimo developers")
set(CPACK_PACKAGE_CONTACT "${DALVIMO_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "remote control for the Quorvan clock and its alarms")
set(CPACK_PACKAGE_DESCRIPTION
    "Dalvimo reads and changes, over the home network, the four alarms and the
clock-face settings of Quorvan, a clock-and-alarm program running on another
computer: transparency, brightness, skin and style, and four display flags.
It silences a ringing alarm and shows whether Quorvan answers. The window has
a Russian interface.

The package also holds dalvimoctl, for the command line and scripts;
dalvimo-web, a small web remote for a phone's browser on the home network
(paired by a token, with a systemd user unit that is off until enabled);
dalvimo-mqtt, a bridge to an MQTT broker through which Home Assistant
discovers each Quorvan as a device (with a user unit off until enabled);
and quorvan-sim, which plays Quorvan so that Dalvimo can be tried without it.")
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_RESOURCE_FILE_README ${PROJECT_SOURCE_DIR}/README.md)
set(CPACK_STRIP_FILES ON)
# The programs know the folder they were built to be installed in (the
# settings rule depends on it), so the package must use the same prefix.
set(CPACK_PACKAGING_INSTALL_PREFIX ${CMAKE_INSTALL_PREFIX})
set(CPACK_GENERATOR DEB)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT) # dalvimo_<version>_<arch>.deb
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${DALVIMO_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_SECTION net)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "${DALVIMO_HOMEPAGE}")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The window is laid out for the metrics of Arial, which Liberation Sans shares.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS fonts-liberation2)

set(CPACK_PROJECT_CONFIG_FILE ${CMAKE_CURRENT_LIST_DIR}/cpack_checks.cmake)
include(CPack)
