# Read by cpack: a Debian package of a build meant for /usr/local would put
# its files where Debian packages must not, and its programs would not know
# themselves installed.
if(CPACK_GENERATOR STREQUAL "DEB" AND NOT CPACK_PACKAGING_INSTALL_PREFIX STREQUAL "/usr")
    message(FATAL_ERROR "The Debian package needs a build configured with -DCMAKE_INSTALL_PREFIX=/usr "
                        "(scripts/package.sh does it), not ${CPACK_PACKAGING_INSTALL_PREFIX}")
endif()
