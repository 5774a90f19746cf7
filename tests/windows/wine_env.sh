#!/usr/bin/env bash
# Sourced: a private Wine prefix for running the Windows build on Linux.
#
#   dalvimo_wine_env PREFIX QT_FOR_WINDOWS
#       sets WINEPREFIX, WINEDEBUG and WINEPATH (the Qt DLLs and the
#       compiler's runtime, as an installed copy has them beside it)
#   dalvimo_wine_boot [offscreen]
#       makes the prefix if it is not there yet, on the screen that
#       dalvimo_wine_screen started (it refuses without one); with
#       "offscreen", Qt's programs in it use the offscreen platform and the
#       test fonts
#   dalvimo_wine PROGRAM.exe ARGS...   runs a program in the prefix
#   dalvimo_wine_stop                  ends every process of the prefix
#   dalvimo_wine_wait                  waits, bounded, until they have ended
#   dalvimo_wine_screen LOG            a virtual screen (Xvfb) on a free
#                                      display, exported as DISPLAY; the
#                                      prefix's desktop takes the screen of
#                                      the first program it starts
#   dalvimo_wine_screen_stop           ends it; DISPLAY is as it was
#
# Wine hands Windows programs no Unix variable whose name starts with QT_,
# so Qt's settings go into the prefix's own environment (HKCU\Environment).
#
# Wine turns a program's arguments into Windows text by the Unix locale's
# character set, so Cyrillic ones arrive whole only under a UTF-8 locale:
# C.UTF-8, which every Debian has, whatever the caller's environment holds.
# Every wait on the prefix is bounded (DALVIMO_WINE_WAIT seconds).

export LC_ALL=C.UTF-8
unset LANGUAGE
DALVIMO_WINE_WAIT=${DALVIMO_WINE_WAIT:-120}

DALVIMO_WINE=${DALVIMO_WINE:-/usr/lib/wine/wine64}
DALVIMO_WINESERVER=${DALVIMO_WINESERVER:-/usr/lib/wine/wineserver64}

dalvimo_wine_env() {
    export WINEPREFIX=$1
    export WINEDEBUG=-all
    export WINEARCH=win64
    # No Mono or Gecko: nothing here needs .NET or a browser engine. A
    # suite adds its own overrides in DALVIMO_WINE_DLLOVERRIDES.
    export WINEDLLOVERRIDES="mscoree=;mshtml=${DALVIMO_WINE_DLLOVERRIDES:+;$DALVIMO_WINE_DLLOVERRIDES}"
    local runtime
    runtime=$(dirname "$(x86_64-w64-mingw32-g++-posix -print-file-name=libstdc++-6.dll)")
    local pthread
    pthread=$(dirname "$(readlink -f "$(x86_64-w64-mingw32-g++-posix -print-file-name=libwinpthread-1.dll)")")
    export WINEPATH="$2/bin;$runtime;$pthread"
    DALVIMO_WINE_QT=$2
}

dalvimo_wine() {
    "$DALVIMO_WINE" "$@"
}

dalvimo_wine_stop() {
    "$DALVIMO_WINESERVER" -k 2>/dev/null || true
    dalvimo_wine_wait 2>/dev/null || true
}

# Until every process of the prefix has ended, for at most
# DALVIMO_WINE_WAIT seconds; fails if some still runs then.
dalvimo_wine_wait() {
    timeout "$DALVIMO_WINE_WAIT" "$DALVIMO_WINESERVER" -w
}

dalvimo_wine_boot() {
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
        mkdir -p "$WINEPREFIX"
        # Its desktop takes the display driver of the screen there now: a
        # prefix made with no DISPLAY never shows a window.
        if [ -z "${DISPLAY:-}" ]; then
            echo "dalvimo_wine_boot: no screen yet (dalvimo_wine_screen first)" >&2
            return 1
        fi
        timeout "$DALVIMO_WINE_WAIT" "$DALVIMO_WINE" wineboot --init >/dev/null 2>&1
        dalvimo_wine_wait
    fi
    if [ "${1:-}" = offscreen ]; then
        # The offscreen platform finds fonts only in one folder: the faces
        # the Linux tests have (Liberation, DejaVu).
        local fonts="$WINEPREFIX/qt-fonts"
        mkdir -p "$fonts"
        local f
        for f in /usr/share/fonts/truetype/liberation2/*.ttf /usr/share/fonts/truetype/dejavu/DejaVu{Sans,Serif,SansMono}{,-Bold}.ttf; do
            [ -f "$f" ] && ln -sf "$f" "$fonts/"
        done
        dalvimo_wine reg add 'HKCU\Environment' /v QT_QPA_PLATFORM /d offscreen /f >/dev/null
        dalvimo_wine reg add 'HKCU\Environment' /v QT_QPA_FONTDIR /d "Z:${fonts//\//\\}" /f >/dev/null
    fi
}

dalvimo_wine_screen() {
    local fd number
    exec {fd}<> <(:)
    Xvfb -displayfd "$fd" -screen 0 1280x800x24 -nolisten tcp >"$1" 2>&1 &
    DALVIMO_WINE_SCREEN=$!
    if ! read -r -t 30 -u "$fd" number; then
        echo "Xvfb did not start (see $1)" >&2
        return 1
    fi
    exec {fd}<&-
    DALVIMO_WINE_SCREEN_BEFORE=${DISPLAY-unset}
    export DISPLAY=":$number"
}

dalvimo_wine_screen_stop() {
    if [ -n "${DALVIMO_WINE_SCREEN:-}" ]; then
        kill "$DALVIMO_WINE_SCREEN" 2>/dev/null || true
        wait "$DALVIMO_WINE_SCREEN" 2>/dev/null || true
        DALVIMO_WINE_SCREEN=
        if [ "$DALVIMO_WINE_SCREEN_BEFORE" = unset ]; then
            unset DISPLAY
        else
            export DISPLAY=$DALVIMO_WINE_SCREEN_BEFORE
        fi
    fi
}
