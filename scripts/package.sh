#!/usr/bin/env bash
# Builds the Debian package dalvimo_<version>_<arch>.deb into the top folder
# of the repository: a Release build for /usr, binaries stripped, the
# dependencies computed from them by dpkg-shlibdeps. Then lintian checks it
# and fails on any error.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/setup.sh"

# dpkg-shlibdeps (dpkg-dev) and file, which cpack uses to find the binaries.
DALVIMO_PACKAGES+=(dpkg-dev file lintian)
dalvimo_install_missing

# Debian's own compiler and linker flags, with every hardening feature.
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
cxxflags="$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CXXFLAGS)"
ldflags=$(dpkg-buildflags --get LDFLAGS)

dir="$DALVIMO_ROOT/build-package"
dalvimo_build "$dir" -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr -DDALVIMO_TESTS=OFF \
    -DCMAKE_CXX_FLAGS="$cxxflags" -DCMAKE_EXE_LINKER_FLAGS="$ldflags"
rm -rf "$dir/package"
(cd "$dir" && cpack -G DEB -B "$dir/package" >/dev/null)
debs=("$dir"/package/dalvimo_*.deb)
cp "${debs[0]}" "$DALVIMO_ROOT/"
deb="$DALVIMO_ROOT/$(basename "${debs[0]}")"

lintian --fail-on error --info "$deb"
echo "Built $deb"
