#!/usr/bin/env bash
# Installs the build into a temporary prefix and checks the tree: exactly
# the expected files, sensible modes, version numbers that agree, and an
# installed dalvimo that answers its command line without any display.
#   check_install.sh <build-dir> <source-dir> <expected-list> <version>
set -euo pipefail
build=$1 source=$2 expected=$3 version=$4

prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

cmake --install "$build" --prefix "$prefix" >/dev/null

actual=$(cd "$prefix" && find . ! -type d | sed 's|^\./||' | LC_ALL=C sort)
if ! diff <(LC_ALL=C sort "$expected") <(echo "$actual") >&2; then
    fail "the install tree differs from $expected (< missing, > unexpected)"
fi
bad_modes=$(cd "$prefix" && find . -mindepth 1 \( -type d ! -perm 755 \) -o \( -type f -path './bin/*' ! -perm 755 \) \
    -o \( -type f ! -path './bin/*' ! -perm 644 \))
[ -z "$bad_modes" ] || fail "unexpected permissions: $bad_modes"
for gz in "$prefix"/share/man/man1/*.gz "$prefix"/share/doc/dalvimo/changelog.gz; do
    gzip -t "$gz" || fail "$gz is not a valid gzip file"
done

# One version everywhere: the program, the newest release of the metadata
# and of the Debian changelog.
grep -q "<release version=\"$version\"" "$prefix/share/metainfo/dalvimo.metainfo.xml" ||
    fail "the metainfo has no release $version"
first=$(gzip -dc "$prefix/share/doc/dalvimo/changelog.gz" | sed -n 1p)
[[ $first == "dalvimo ($version) "* ]] || fail "the Debian changelog starts with '$first', not $version"

# The installed program, with no display at all: a window could not open.
run() { env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=xcb "$prefix/bin/dalvimo" "$@"; }
out=$(run --version) || fail "dalvimo --version failed"
[ "$out" = "dalvimo $version" ] || fail "dalvimo --version printed '$out'"
out=$(run --help) || fail "dalvimo --help failed"
# This prefix is not the install folder compiled in: the file lies beside.
grep -qF "Settings file: $prefix/bin/dalvimo.cfg" <<<"$out" || fail "dalvimo --help names no settings file: $out"
status=0
err=$(run --no-such-option 2>&1 >/dev/null) || status=$?
[ "$status" -eq 64 ] || fail "an unknown option exited with $status"
grep -q "Unknown option 'no-such-option'" <<<"$err" || fail "an unknown option said: $err"
[ ! -e "$prefix/bin/dalvimo.cfg" ] || fail "the command line wrote a settings file"
# The web remote: its help without a display, and a user unit that starts
# the installed program and is enabled by nobody but the user.
"$prefix/bin/dalvimo-web" --help | grep -q -- "--new-token" || fail "dalvimo-web --help names no --new-token"
unit="$prefix/lib/systemd/user/dalvimo-web.service"
grep -qx "ExecStart=/.*/bin/dalvimo-web" "$unit" || fail "the user unit starts no dalvimo-web"
grep -qx "WantedBy=default.target" "$unit" || fail "the user unit cannot be enabled"
# The MQTT bridge likewise.
"$prefix/bin/dalvimo-mqtt" --help | grep -q -- "--remove" || fail "dalvimo-mqtt --help names no --remove"
unit="$prefix/lib/systemd/user/dalvimo-mqtt.service"
grep -qx "ExecStart=/.*/bin/dalvimo-mqtt" "$unit" || fail "the user unit starts no dalvimo-mqtt"
grep -qx "WantedBy=default.target" "$unit" || fail "the MQTT user unit cannot be enabled"

echo "install tree of $(wc -l <"$expected") files checked in $prefix"
