#!/usr/bin/env bash
# The Windows packages under Wine, end to end, on a virtual screen (Xvfb):
#   e2e.sh BUILD_DIR LINUX_SIMULATOR [SCREENSHOT.png]
# BUILD_DIR is the cross build (build-windows) with its packages and the
# window probe; LINUX_SIMULATOR the quorvan-sim built for Linux.
#
#  1. dalvimoctl.exe from the zip changes Quorvan's skin and a ring text to
#     Cyrillic ones and prints them with "status".
#  2. dalvimo.exe from the zip, beside the Linux simulator, fills its window
#     with the right Cyrillic texts (read by the probe plugin, and
#     photographed), and on closing writes dalvimo.cfg beside itself.
#  3. The installer installs silently (/S) into a fresh prefix: the files,
#     the Start-menu entry, the uninstall entry, dalvimoctl on the PATH.
#     The installed program runs and keeps its settings in %APPDATA%\Dalvimo.
#  4. The uninstaller removes every file the installer put there.
#  5. Installer and uninstaller with the installed program running (closed
#     as "Выйти" closes it, or nothing touched and status 2), an upgrade
#     that replaces every file, the PATH at 200 to 32,740 characters, and
#     bin\dalvimoctl.exe, the launcher on the PATH: no DLL beside it, the
#     real program's output and exit status.
set -euo pipefail
USER=${USER:-$(id -un)}
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
source "$here/wine_env.sh"

build=$(cd "$1" && pwd)
sim_program=$2
screenshot=${3:-$build/e2e/window.png}
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
qt=$(sed -n 's/^DALVIMO_WINDOWS_QT:[A-Z]*=//p' "$build/CMakeCache.txt")
zip="$build/packages/Dalvimo-$version-win64.zip"
setup="$build/packages/Dalvimo-$version-win64-setup.exe"
work="$build/e2e"
rm -rf "$work"
mkdir -p "$work"

failures=0
pass() { echo "PASS: $*"; }
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
check() { # check WHAT COMMAND...
    local what=$1
    shift
    if "$@"; then pass "$what"; else fail "$what"; fi
}
# Polls COMMAND every half second for at most SECONDS.
wait_for() {
    local seconds=$1
    shift
    local i
    for ((i = 0; i < seconds * 2; i++)); do
        "$@" && return 0
        sleep 0.5
    done
    return 1
}
windows_path() { echo "Z:${1//\//\\}"; }

pids=()
cleanup() {
    dalvimo_wine_stop
    dalvimo_wine_screen_stop
    local p
    for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done
}
trap cleanup EXIT

# A fresh prefix, as a new Windows user has it, with the design's faces
# mapped to the metric-compatible ones Linux has (Wine has none of them),
# and the probe plugin's folder on Qt's plugin path.
fresh_prefix() {
    dalvimo_wine_stop
    rm -rf "$WINEPREFIX"
    dalvimo_wine_boot
    local pair
    for pair in "Arial=Liberation Sans" "Times New Roman=Liberation Serif" "Verdana=DejaVu Sans"; do
        dalvimo_wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v "${pair%%=*}" /d "${pair#*=}" /f >/dev/null
    done
    dalvimo_wine reg add 'HKCU\Environment' /v QT_PLUGIN_PATH /d "$(windows_path "$build/probe")" /f >/dev/null
}
# A virtual screen of its own, before any prefix: what the caller's
# environment holds (a DISPLAY or none) changes nothing.
unset DISPLAY
dalvimo_wine_env "$work/prefix" "$qt"
unset WINEPATH # the packages carry every library they need
dalvimo_wine_screen "$work/xvfb.log"
fresh_prefix
# Its desktop found the screen, so windows can map (Wine notes an error there
# when it had no display driver).
has_display_driver() {
    dalvimo_wine reg query 'HKLM\System\CurrentControlSet\Control\Video' /s | tr -d '\r' >"$work/video-key.txt"
    grep -q 'GraphicsDriver.*winex11' "$work/video-key.txt" && ! grep -q DriverError "$work/video-key.txt"
}
check "a fresh prefix, made with no DISPLAY in the caller's environment, has the screen's display driver" has_display_driver

# The Linux simulator on the window's port, on a loopback address of its
# own so that it meets no other test's.
address="127.77.$(($$ % 250)).$(($$ / 250 % 250 + 1))"
"$sim_program" --bind "$address" --port 17777 >"$work/sim.log" 2>&1 &
pids+=($!)
wait_for 10 grep -qs "listening" "$work/sim.log" || { echo "the simulator did not start"; cat "$work/sim.log"; exit 1; }

# 1. The command-line program from the zip.
mkdir -p "$work/portable"
(cd "$work/portable" && cmake -E tar xf "$zip")
portable="$work/portable/Dalvimo-$version-win64"
# Each program names itself in a version resource and carries the icon (a
# group-icon resource, type 14).
resource_string() { strings -el "$1" | grep -A1 -x "$2" | sed -n 2p; }
is_labelled() {
    [ "$(resource_string "$1" ProductName)" = Dalvimo ] && [ "$(resource_string "$1" FileVersion)" = "$version" ] \
        && x86_64-w64-mingw32-objdump -p "$1" | grep -q 'Entry: ID: 0x00000e'
}
# And a manifest: made for Windows 10 and 11, aware of each monitor's scale.
has_manifest() {
    strings "$1" | grep -q '<dpiAwareness[^>]*>PerMonitorV2</dpiAwareness>' \
        && strings "$1" | grep -q '<supportedOS Id="{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}"/>'
}
for exe in dalvimo dalvimoctl quorvan-sim; do
    check "$exe.exe: product Dalvimo, version $version, icon" is_labelled "$portable/$exe.exe"
    check "$exe.exe: a manifest for Windows 10 and 11, per-monitor DPI aware" has_manifest "$portable/$exe.exe"
done
is_64_bit() { x86_64-w64-mingw32-objdump -f "$1" | grep -q 'pei-x86-64'; }
check "the installer is a 64-bit program" is_64_bit "$setup"

ctl() { dalvimo_wine "$1/dalvimoctl.exe" -s "$address" "${@:2}" | tr -d '\r'; }
ctl "$portable" skin 2 >/dev/null
ctl "$portable" alarm 4 set --ring "Спокойной ночи" >/dev/null
ctl "$portable" status >"$work/status.txt"
for line in "Скин: Электроника (2/7)" "Будильник 1:  7:05  вкл.   Подъём!" "Будильник 3: 13:45  вкл.   Обед" \
    "Будильник 4: 22:00  выкл.  Спокойной ночи"; do
    check "dalvimoctl.exe status prints «$line»" grep -qxF "$line" "$work/status.txt"
done
# On a terminal Wine gives the program a console window: the Russian text
# goes through the console's wide-character call and arrives whole.
in_console() { timeout 60 script -qec "$(printf '%q ' "$DALVIMO_WINE" "$@")" /dev/null </dev/null | tr -d '\r'; }
in_console "$portable/dalvimoctl.exe" -s "$address" status >"$work/console-status.txt"
in_console "$portable/dalvimoctl.exe" --help >"$work/console-help.txt"
in_console "$portable/dalvimo.exe" --help >"$work/console-window-help.txt"
check "dalvimoctl.exe status in a console window prints «Спокойной ночи»" grep -qF "Спокойной ночи" "$work/console-status.txt"
check "dalvimoctl.exe --help in a console window prints Russian" grep -qF "Показывать обмен датаграммами" "$work/console-help.txt"
check "dalvimo.exe --help in a console window prints Russian" grep -qF "Пульт управления часами-будильником" "$work/console-window-help.txt"

# 2. The window from the zip, with its own settings file beside it.
printf '[General]\r\nClockIP_1=%s|Проверка\r\nSelectIPNum=1\r\nAutoPing=1\r\nFrameSelect=1\r\n' "$address" \
    | iconv -f UTF-8 -t CP1251 >"$portable/dalvimo.cfg"
probe="$work/window.txt"
window_shows() { grep -qxF "$1" "$probe" 2>/dev/null; }
all_shown() {
    local l
    for l in "$@"; do window_shows "$l" || return 1; done
}
expected=("txtBudRing(1)=Подъём!" "txtBudRing(3)=Обед" "txtBudRing(4)=Спокойной ночи" "txtSkin=Электроника"
    "lblBudTime(1)=7:05" "lblTab(1)=Будильники" "cmbServer=Проверка")
dalvimo_wine "$portable/dalvimo.exe" -plugin "dalvimo_probe:$(windows_path "$probe")" >"$work/window.log" 2>&1 &
window=$!
if wait_for 60 all_shown "${expected[@]}"; then :; fi
for l in "${expected[@]}"; do check "dalvimo.exe shows «$l»" window_shows "$l"; done
xid=$(xdotool search --name "Dalvimo" 2>/dev/null | head -1 || true)
if [ -n "$xid" ]; then
    import -window "$xid" "$screenshot" && pass "screenshot of the window: $screenshot"
else
    import -window root "$screenshot" && fail "no window titled Dalvimo; screenshot of the screen: $screenshot"
fi
window_size() { xdotool getwindowgeometry "$1" 2>/dev/null | sed -n 's/^ *Geometry: //p'; }
size_at_96=$(window_size "$xid")
dalvimo_wine taskkill /im dalvimo.exe >/dev/null 2>&1 || true
has_ended() { ! kill -0 "$1" 2>/dev/null; }
check "dalvimo.exe closes on WM_CLOSE" wait_for 30 has_ended "$window"
check "the portable copy keeps its settings beside it" grep -q "AutoActiveSet=1" "$portable/dalvimo.cfg"
check "the portable copy writes nothing to %APPDATA%\\Dalvimo" test ! -e "$WINEPREFIX/drive_c/users/$USER/AppData/Roaming/Dalvimo"

# The same window at 150 % (144 DPI, as Windows' display settings set it):
# scaled whole, and the bell drawn for that scale (48 device pixels), not
# stretched from 32. The prefix reads the DPI when it starts.
dalvimo_wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d 144 /f >/dev/null
dalvimo_wine_stop
probe="$work/window-144dpi.txt"
dalvimo_wine "$portable/dalvimo.exe" -plugin "dalvimo_probe:$(windows_path "$probe")" >"$work/window-144dpi.log" 2>&1 &
window=$!
check "at 144 DPI the bell is drawn at 48 x 48 device pixels" wait_for 60 all_shown "txtSkin=Электроника" "imgBell=[picture 48x48]"
xid=$(xdotool search --name "Dalvimo" 2>/dev/null | head -1 || true)
[ -n "$xid" ] && import -window "$xid" "$work/window-144dpi.png"
one_and_a_half() { # SIZE_AT_96 SIZE_AT_144, each WxH
    local w=${1%x*} h=${1#*x} w2=${2%x*} h2=${2#*x}
    [ -n "$1" ] && [ -n "$2" ] && [ $((w2 * 2 - w * 3)) -ge -2 ] && [ $((w2 * 2 - w * 3)) -le 2 ] \
        && [ $((h2 * 2 - h * 3)) -ge -2 ] && [ $((h2 * 2 - h * 3)) -le 2 ]
}
size_at_144=$(window_size "$xid")
check "at 144 DPI the window is 1.5 times its size ($size_at_96 at 96 DPI, $size_at_144)" one_and_a_half "$size_at_96" "$size_at_144"
dalvimo_wine taskkill /im dalvimo.exe >/dev/null 2>&1 || true
check "dalvimo.exe at 144 DPI closes on WM_CLOSE" wait_for 30 has_ended "$window"
probe="$work/window.txt"

# 3. The installer, silent, into a fresh prefix.
fresh_prefix
user_dir="$WINEPREFIX/drive_c/users/$USER"
installed="$user_dir/AppData/Local/Programs/Dalvimo"
appdata="$user_dir/AppData/Roaming/Dalvimo"
dalvimo_wine "$setup" /S
"$DALVIMO_WINESERVER" -w
(cd "$portable" && find . -type f ! -name dalvimo.cfg | sort) >"$work/packed.txt"
(cd "$installed" && find . -type f | sort) >"$work/installed.txt" 2>/dev/null || true
check "the installer installs every file of the zip, and its uninstaller" \
    diff <(cat "$work/packed.txt" <(echo ./uninstall.exe) | sort) "$work/installed.txt"
check "the Start-menu entry" test -f "$user_dir/AppData/Roaming/Microsoft/Windows/Start Menu/Programs/Dalvimo.lnk"
uninstall_key='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Dalvimo'
dalvimo_wine reg query "$uninstall_key" 2>/dev/null | tr -d '\r' >"$work/uninstall-key.txt" || true
check "the uninstall entry names the install folder" grep -qi "InstallLocation.*AppData\\\\Local\\\\Programs\\\\Dalvimo" "$work/uninstall-key.txt"
on_path() { dalvimo_wine cmd /c dalvimoctl --version | tr -d '\r' | grep -qx "dalvimoctl $version"; }
check "dalvimoctl runs from a console through the user's PATH" on_path

# The installed program: its settings in %APPDATA%\Dalvimo.
mkdir -p "$appdata"
printf '[General]\r\nClockIP_1=%s|Проверка\r\nSelectIPNum=1\r\nFrameSelect=0\r\n' "$address" \
    | iconv -f UTF-8 -t CP1251 >"$appdata/dalvimo.cfg"
rm -f "$probe"
dalvimo_wine "$installed/dalvimo.exe" -plugin "dalvimo_probe:$(windows_path "$probe")" >"$work/installed-window.log" 2>&1 &
window=$!
check "the installed dalvimo.exe reads %APPDATA%\\Dalvimo\\dalvimo.cfg and fills its window" \
    wait_for 60 all_shown "cmbServer=Проверка" "txtSkin=Электроника" "txtBudRing(4)=Спокойной ночи"
dalvimo_wine taskkill /im dalvimo.exe >/dev/null 2>&1 || true
check "the installed dalvimo.exe closes on WM_CLOSE" wait_for 30 has_ended "$window"
check "the installed program keeps its settings in %APPDATA%\\Dalvimo" grep -q "AutoActiveSet=1" "$appdata/dalvimo.cfg"
check "the installed program writes nothing into its own folder" test ! -e "$installed/dalvimo.cfg"

# 4. The uninstaller: it runs from a copy of itself, so wait for the prefix.
dalvimo_wine "$installed/uninstall.exe" /S
"$DALVIMO_WINESERVER" -w
check "the uninstaller removes every file it installed, and the folder" test ! -e "$installed"
check "the uninstaller removes the Start-menu entry" \
    test ! -e "$user_dir/AppData/Roaming/Microsoft/Windows/Start Menu/Programs/Dalvimo.lnk"
no_uninstall_entry() { ! dalvimo_wine reg query "$uninstall_key" >/dev/null 2>&1; }
check "the uninstaller removes the uninstall entry" no_uninstall_entry
not_on_path() { ! dalvimo_wine reg query 'HKCU\Environment' /v Path 2>/dev/null | grep -qi 'Programs\\Dalvimo'; }
check "the uninstaller takes the folder off the user's PATH" not_on_path
check "the user's settings stay after uninstalling" test -f "$appdata/dalvimo.cfg"

# 5. The installed program running while the package changes, the PATH at
# any length, and bin\dalvimoctl.exe, the launcher the PATH leads to.
windows_installed="C:\\users\\$USER\\AppData\\Local\\Programs\\Dalvimo"
run_status() { # run_status COMMAND...: its exit status in $status
    status=0
    "$@" || status=$?
}
install() { run_status dalvimo_wine "$setup" /S; }
# As Windows runs an uninstaller: from a copy of itself, told its folder;
# so it is the one waited for, and its own exit status is the one seen.
uninstall() {
    cp "$installed/uninstall.exe" "$WINEPREFIX/drive_c/uninstall-copy.exe"
    run_status dalvimo_wine 'C:\uninstall-copy.exe' /S "_?=$windows_installed"
}
start_installed_window() { # settings without AutoActiveSet, which closing writes
    printf '[General]\r\nClockIP_1=%s|Проверка\r\nSelectIPNum=1\r\nFrameSelect=0\r\n' "$address" \
        | iconv -f UTF-8 -t CP1251 >"$appdata/dalvimo.cfg"
    rm -f "$probe"
    dalvimo_wine "$installed/dalvimo.exe" -plugin "dalvimo_probe:$(windows_path "$probe")" >>"$work/running.log" 2>&1 &
    window=$!
    wait_for 60 all_shown "cmbServer=Проверка"
}
closed_and_saved() { wait_for 30 has_ended "$window" && grep -q "AutoActiveSet=1" "$appdata/dalvimo.cfg"; }
snapshot() {
    (cd "$installed" && find . -printf '%P %s %T@\n' | sort)
    dalvimo_wine reg query "$uninstall_key" /s | tr -d '\r'
}

install
check "the installer installs again (status 0, got $status)" test "$status" = 0
check "the launcher's folder holds dalvimoctl.exe and nothing else" test "$(ls -A "$installed/bin")" = dalvimoctl.exe
only_system_imports() {
    ! x86_64-w64-mingw32-objdump -p "$1" | sed -n 's/^\tDLL Name: //p' | grep -qvix 'kernel32.dll\|msvcrt.dll'
}
check "the launcher loads no DLL but the system's" only_system_imports "$installed/bin/dalvimoctl.exe"
dalvimo_wine cmd /c dalvimoctl -s "$address" status | tr -d '\r' >"$work/status-path.txt"
check "dalvimoctl through the PATH's launcher prints the Cyrillic status as the real one does" \
    diff "$work/status.txt" "$work/status-path.txt"
# Each row: the exit status, then the arguments.
for row in "0 --version" "2 -s 127.0.0.1:9 --timeout 200 --retries 0 status" "64 --no-such-option"; do
    read -r expected_status arguments <<<"$row"
    # shellcheck disable=SC2086 # the row's arguments, split
    run_status dalvimo_wine "$installed/dalvimoctl.exe" $arguments >/dev/null 2>&1
    real=$status
    # shellcheck disable=SC2086
    run_status dalvimo_wine "$installed/bin/dalvimoctl.exe" $arguments >/dev/null 2>&1
    check "the launcher returns the real program's status $expected_status for «$arguments» (real $real, launcher $status)" \
        test "$real.$status" = "$expected_status.$expected_status"
done

# An upgrade over the running window: it is closed as "Выйти" closes it,
# every file is replaced, and what only the former version had is gone.
start_installed_window || true
echo "changed since" >>"$installed/README.md"
mkdir -p "$installed/imageformats"
touch "$installed/Qt6Former.dll" "$installed/imageformats/qformer.dll"
dalvimo_wine reg add "$uninstall_key" /v InstalledFiles /t REG_MULTI_SZ \
    /d 'Qt6Former.dll\0imageformats\qformer.dll\0README.md' /f >/dev/null
install
check "an upgrade over the running window succeeds (status 0, got $status)" test "$status" = 0
check "the upgrade closes the window, which keeps its settings" closed_and_saved
check "the upgrade replaces every file and leaves none the former version had" \
    diff -r -x dalvimo.cfg -x uninstall.exe "$portable" "$installed"

# Uninstalling while the window runs.
start_installed_window || true
uninstall
check "the uninstaller beside the running window succeeds (status 0, got $status)" test "$status" = 0
check "the uninstaller closes the window, which keeps its settings" closed_and_saved
check "the uninstaller leaves nothing of the running copy behind" test ! -e "$installed"

# A program that cannot be asked to end (the simulator, sharing its console
# with the command prompt): neither touches anything, and both say so.
install
dalvimo_wine cmd /c "$windows_installed\\quorvan-sim.exe" --bind "$address" --port 17778 >"$work/sim-installed.log" 2>&1 &
sim_running() { grep -qs "listening" "$work/sim-installed.log"; }
wait_for 30 sim_running || true
snapshot >"$work/before.txt"
install
check "the installer refuses while the simulator runs (status 2, got $status)" test "$status" = 2
check "the refused installer touches nothing" diff "$work/before.txt" <(snapshot)
uninstall
check "the uninstaller refuses while the simulator runs (status 2, got $status)" test "$status" = 2
check "the refused uninstaller touches nothing" diff "$work/before.txt" <(snapshot)
dalvimo_wine taskkill /f /im quorvan-sim.exe >/dev/null 2>&1 || true
uninstall

# The PATH at lengths about the old 1,023-character limit and beyond, and
# one too long to take another entry: after installing, whole and ending
# with the launcher's folder, or as it was with status 3; after
# uninstalling, the value byte for byte as before.
long_path() {
    local text="" i=0
    while [ "${#text}" -lt "$1" ]; do
        text+="C:\\Tools\\Werkzeug$i;"
        i=$((i + 1))
    done
    echo "${text:0:$1}"
}
set_user_path() { # a .reg file (UTF-16, as Windows writes it), as no command line holds 32,740 characters
    local hex
    hex=$(printf '%s\0' "$1" | iconv -f UTF-8 -t UTF-16LE | od -An -v -tx1 | tr -s ' \n' ',' | sed 's/^,//; s/,$//')
    { printf '\xff\xfe'; printf 'Windows Registry Editor Version 5.00\r\n\r\n[HKEY_CURRENT_USER\\Environment]\r\n"Path"=hex(2):%s\r\n' "$hex" \
        | iconv -f UTF-8 -t UTF-16LE; } >"$WINEPREFIX/drive_c/path.reg"
    dalvimo_wine regedit /s 'C:\path.reg'
}
user_path() { dalvimo_wine reg query 'HKCU\Environment' /v Path | tr -d '\r' | sed -n 's/^ *Path *REG_EXPAND_SZ *//p'; }
export_environment() { dalvimo_wine reg export 'HKCU\Environment' "C:\\$1" /y >/dev/null; }
for length in 200 1000 1019 1500 32740; do
    path=$(long_path "$length")
    set_user_path "$path"
    export_environment environment-before.reg
    install
    separator=";"
    [ "${path: -1}" = ";" ] && separator=""
    if [ "$length" -lt 32740 ]; then
        check "PATH of $length characters: whole, ending with the launcher's folder (status $status)" \
            test "$status.$(user_path)" = "0.$path$separator$windows_installed\\bin"
    else
        check "PATH of $length characters: as it was, and status 3 says so (status $status)" \
            test "$status.$(user_path)" = "3.$path"
    fi
    uninstall
    export_environment environment-after.reg
    check "PATH of $length characters: after uninstalling, byte for byte as before" \
        cmp "$WINEPREFIX/drive_c/environment-before.reg" "$WINEPREFIX/drive_c/environment-after.reg"
done
# The first version put the install folder itself on the PATH: an upgrade
# puts bin in its place.
set_user_path "C:\\Tools;$windows_installed"
install
check "an upgrade replaces the install folder on the PATH with bin" test "$(user_path)" = "C:\\Tools;$windows_installed\\bin"
uninstall

if [ "$failures" -ne 0 ]; then
    echo "e2e.sh: $failures checks failed (logs in $work)"
    exit 1
fi
echo "e2e.sh: every check passed"
