#!/usr/bin/env bash
# Sourced by windows.sh: the Qt for Windows that the cross build uses,
# Qt 6.4.2 (Core, Gui, Widgets, Network, Test) built with mingw-w64 from
# Debian's own qt6-base source, in .cache/windows/qt6-mingw64.
#
#   dalvimo_windows_qt     makes it there if needed; prints its folder
#
# Where the prebuilt copy lies beside the repository
# (../shared/toolchains/qt6.4.2-mingw64/qt6-mingw64.tar.xz), it is unpacked,
# once its checksum is the one below. Otherwise it is built from Debian's
# source package qt6-base 6.4.2+dfsg-10, the same way that copy was made:
# about 35 minutes on 2 cores, once; the result stays in the cache.

DALVIMO_QT_WINDOWS_KIT="$(cd "$DALVIMO_ROOT/.." && pwd)/shared/toolchains/qt6.4.2-mingw64"
DALVIMO_QT_WINDOWS_SHA256=1b23a097c91643256f9cf4b3c41c5cf7cd417f5ce285abfdb495a907c117d8e8
DALVIMO_QT_SOURCE_VERSION=6.4.2+dfsg-10
# Packages for building it from source: dpkg-source, Qt's host tools (moc,
# rcc, ... of the same version), and what configure needs.
DALVIMO_QT_SOURCE_PACKAGES=(dpkg-dev qt6-base-dev-tools perl patch xz-utils)

dalvimo_windows_qt() {
    local cache="$DALVIMO_ROOT/.cache/windows"
    local qt="$cache/qt6-mingw64"
    local tarball="$DALVIMO_QT_WINDOWS_KIT/qt6-mingw64.tar.xz"
    if [ -f "$tarball" ]; then
        if [ "$(cat "$qt/.dalvimo-origin" 2>/dev/null)" != "$DALVIMO_QT_WINDOWS_SHA256" ]; then
            echo "Unpacking the prebuilt Qt for Windows from $DALVIMO_QT_WINDOWS_KIT" >&2
            if ! echo "$DALVIMO_QT_WINDOWS_SHA256  $tarball" | sha256sum -c --quiet - >&2; then
                echo "windows-qt.sh: $tarball is not the Qt it should be (checksum)" >&2
                return 1
            fi
            rm -rf "$qt"
            mkdir -p "$cache"
            tar -xJf "$tarball" -C "$cache"
            echo "$DALVIMO_QT_WINDOWS_SHA256" >"$qt/.dalvimo-origin"
        fi
    elif [ "$(cat "$qt/.dalvimo-origin" 2>/dev/null)" != "source $DALVIMO_QT_SOURCE_VERSION" ]; then
        dalvimo_build_windows_qt "$cache" >&2 || return 1
    fi
    echo "$qt"
}

# Debian's source through a private apt state, so the system's own sources
# stay as they are; the four security fixes of Debian's patch series (none
# of its Debian-only changes), and one fix of ours for the cross build.
dalvimo_build_windows_qt() {
    local cache=$1
    local started=$SECONDS
    echo "No prebuilt Qt for Windows in $DALVIMO_QT_WINDOWS_KIT: building Qt 6.4.2 for Windows from" \
         "Debian's qt6-base source into $cache (once; about 35 minutes on 2 cores)"
    DALVIMO_PACKAGES+=("${DALVIMO_QT_SOURCE_PACKAGES[@]}")
    dalvimo_install_missing
    local work="$cache/qt-source"
    rm -rf "$work" "$cache/qt6-mingw64"
    mkdir -p "$work/apt/lists/partial" "$work/apt/cache/archives/partial"
    cat >"$work/apt/sources.list" <<'SOURCES'
deb-src http://deb.debian.org/debian bookworm main
SOURCES
    local apt=(apt-get -q -o Dir::Etc::SourceList="$work/apt/sources.list" -o Dir::Etc::SourceParts=/nonexistent
        -o Dir::State::Lists="$work/apt/lists" -o Dir::Cache="$work/apt/cache" -o APT::Get::List-Cleanup=0
        -o APT::Sandbox::User=root)
    "${apt[@]}" update >/dev/null
    (cd "$work" && "${apt[@]}" source --download-only "qt6-base=$DALVIMO_QT_SOURCE_VERSION")
    (cd "$work" && dpkg-source --skip-patches -x qt6-base_*.dsc src >/dev/null)
    local p
    for p in cve-2023-32762.diff cve-2023-32763.diff cve-2023-33285.diff cve-2023-24607.patch; do
        patch -d "$work/src" -p1 -s <"$work/src/debian/patches/$p"
    done
    patch -d "$work/src" -p1 -s <"$DALVIMO_ROOT/scripts/windows-qt/qwindowsintegration.patch"

    mkdir -p "$work/build"
    (cd "$work/build" && "$work/src/configure" -prefix "$cache/qt6-mingw64" -release -opensource -confirm-license \
        -xplatform win32-g++ -qt-host-path /usr -nomake examples -nomake tests \
        -no-opengl -no-dbus -no-icu -no-openssl -no-feature-vulkan \
        -no-feature-sql -no-feature-printsupport -no-feature-concurrent -no-feature-xml \
        -no-feature-tabletevent -no-feature-direct2d \
        -qt-zlib -qt-pcre -qt-libpng -qt-libjpeg -qt-harfbuzz -qt-freetype -qt-doubleconversion \
        -- -G Ninja -DCMAKE_TOOLCHAIN_FILE="$DALVIMO_ROOT/cmake/mingw-w64-x86_64.cmake" \
        -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake >"$work/configure.log")
    cmake --build "$work/build" --parallel "${DALVIMO_JOBS:-2}"
    cmake --install "$work/build" >/dev/null
    echo "source $DALVIMO_QT_SOURCE_VERSION" >"$cache/qt6-mingw64/.dalvimo-origin"
    rm -rf "$work"
    echo "Built Qt for Windows in $(( (SECONDS - started) / 60 )) minutes"
}
