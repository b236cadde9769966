#!/usr/bin/env bash
# The Debian package as CPack builds it from this build (scripts/package
# does the same from a release build): its metadata, its files and their
# modes, its maintainer scripts, the systemd unit, and the tool and library
# it carries, run from the unpacked package.
# Arguments: the build folder.
set -euo pipefail
build=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAILED: $*" >&2; exit 1; }

cpack --config "$build/CPackConfig.cmake" -B "$work/out" > "$work/cpack.log" 2>&1 ||
  fail "cpack: $(tail -n 20 "$work/cpack.log")"
debs=("$work"/out/tipolaria_*_amd64.deb)
[ -f "${debs[0]}" ] || fail "no package in $(ls "$work/out")"
deb=${debs[0]}

# Metadata: the name, and the dependencies derived from the binaries, with
# the drawing font that nothing links.
field() { dpkg-deb -f "$deb" "$1"; }
[ "$(field Package)" = tipolaria ] || fail "Package: $(field Package)"
depends=$(field Depends)
for needed in libc6 libcairo2 libsqlite3-0 libodbc2 libzint libfontconfig1 libcpp-httplib \
              fonts-liberation2; do
  grep -q "\b$needed" <<< "$depends" || fail "Depends lacks $needed: $depends"
done

# Files: every part a host or an administrator looks for, the connection
# file root's alone, nothing outside /usr and /etc.
listing=$(dpkg-deb -c "$deb")
for path in ./usr/bin/tipolaria ./usr/include/tipolaria/cprint.hpp \
            ./usr/include/tipolaria/tipolaria.h tipolaria/tipolariaConfig.cmake \
            pkgconfig/tipolaria.pc ./usr/share/doc/tipolaria/README.md \
            ./usr/lib/systemd/system/tipolaria.service ./etc/default/tipolaria; do
  grep -q -- "$path\$" <<< "$listing" || fail "the package lacks $path"
done
grep -q -- '-rw------- root/root .* ./etc/tipolaria/connection$' <<< "$listing" ||
  fail "the connection file must be root's alone: $(grep connection <<< "$listing")"
grep -q -- 'libtipolaria.so.1 -> libtipolaria.so.1.1' <<< "$listing" || fail "no SONAME link"
outside=$(awk '{print $6}' <<< "$listing" | grep -v -E '^\./(usr|etc)/' | grep -v '^\./$' || true)
[ -z "$outside" ] || fail "files outside /usr and /etc: $outside"

# Maintainer files: the configuration kept across upgrades, the unit made
# known to systemd but not enabled.
dpkg-deb -e "$deb" "$work/control"
grep -qx /etc/tipolaria/connection "$work/control/conffiles" || fail "conffiles"
grep -q 'daemon-reload' "$work/control/postinst" || fail "postinst does not reload systemd"
! grep -qE 'systemctl.* (enable|start)' "$work/control/postinst" || fail "postinst starts the service"

# The unpacked package: the library's SONAME, the tool runs the demo.
dpkg-deb -x "$deb" "$work/root"
lib=$(find "$work/root/usr/lib" -name 'libtipolaria.so.1.*' -type f)
objdump -p "$lib" | grep 'SONAME *libtipolaria.so.1$' > /dev/null || fail "SONAME"
LD_LIBRARY_PATH=$(dirname "$lib") "$work/root/usr/bin/tipolaria" demo --out "$work/demo" \
  > /dev/null 2>&1 || fail "the packaged tool cannot print the demo"
[ -s "$work/demo/demo-cover.pdf" ] || fail "no demo print"

# The unit, as systemd reads it, with the packaged tool at its place.
unit=$work/root/usr/lib/systemd/system/tipolaria.service
grep -q '^ExecStart=/usr/bin/tipolaria serve --connection-file %d/connection' "$unit" ||
  fail "ExecStart: $(grep ExecStart "$unit")"
grep -q '^LoadCredential=connection:/etc/tipolaria/connection$' "$unit" || fail "LoadCredential"
mkdir "$work/unit"
sed "s|/usr/bin/tipolaria|$work/root/usr/bin/tipolaria|" "$unit" > "$work/unit/tipolaria.service"
complaints=$(systemd-analyze verify --man=no "$work/unit/tipolaria.service" 2>&1) ||
  fail "systemd-analyze: $complaints"
[ -z "$complaints" ] || fail "systemd-analyze: $complaints"
echo "package $(basename "$deb"): metadata, files, maintainer scripts, unit, demo: OK"
