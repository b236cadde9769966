#!/usr/bin/env bash
# Installs the build into a fresh prefix and uses it as a host would.
# Arguments: the build folder and the source folder.
set -euo pipefail
build=$1
src=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
prefix=$work/prefix
fail() { echo "FAILED: $*" >&2; exit 1; }

cmake --install "$build" --prefix "$prefix" > /dev/null
lib=$prefix/lib/libtipolaria.so.1
for header in cprint.hpp session.hpp database.hpp text.hpp error.hpp tipolaria.h; do
  [ -f "$prefix/include/tipolaria/$header" ] || fail "public header $header not installed"
done
[ -x "$prefix/bin/tipolaria" ] || fail "command-line tool not installed"
# grep reads to the end (no -q): a reader that stops early would end the
# writer with SIGPIPE, which pipefail reports as a failure.
objdump -p "$lib" | grep 'SONAME *libtipolaria.so.1' > /dev/null || fail "SONAME"

# Only the public classes, the error type, the functions of the public
# headers and the C interface are exported.
functions='14CreateDatabase|13CheckDatabase|20MaskConnectionString|10JsonString|7OneLine|14EscapeControls|26RemoveUnfinishedPrintFiles'
others=$(nm -D --defined-only "$lib" | awk '{print $3}' |
  grep -v -E "^(tipolaria_[a-z_]+|_ZNK?9tipolaria(6CPrint|7Session|8ComError).*|_ZN9tipolaria($functions).*|_ZT[ISV]N9tipolaria8ComErrorE)$" || true)
[ -z "$others" ] || fail "symbols exported beyond the public interface: $(echo $others | head -c 300)"
nm -D --defined-only "$lib" | grep ' tipolaria_session_generate_imp$' > /dev/null ||
  fail "C interface not exported"

# A database with the demo declaration, made by the installed tool.
"$prefix/bin/tipolaria" demo --out "$work/demo" > /dev/null 2>&1 || fail "tipolaria demo"
db=$work/demo/demo.db

check_run() {  # name, output folder, command...
  local name=$1 out=$2
  shift 2
  mkdir -p "$out"
  "$@" "$db" 26001IC04000123A "$out" > "$out/stdout" || fail "$name: $(cat "$out/stdout")"
  [ "$(grep -c '^{"Result": "OK"}$' "$out/stdout")" = 3 ] || fail "$name: $(cat "$out/stdout")"
  [ -s "$out/cover.pdf" ] && [ -s "$out/continuation.pdf" ] || fail "$name: no documents"
}

# C++ through find_package(tipolaria).
cmake -S "$src/examples/cpp" -B "$work/cpp" -G Ninja -DCMAKE_PREFIX_PATH="$prefix" > /dev/null
cmake --build "$work/cpp" > /dev/null
check_run "C++ example" "$work/out-cpp" "$work/cpp/print_declaration"

# C through pkg-config.
export PKG_CONFIG_PATH=$prefix/lib/pkgconfig
# shellcheck disable=SC2046
cc -Wall -Wextra -Werror -o "$work/c_example" "$src/examples/c/print_declaration.c" \
  $(pkg-config --cflags --libs tipolaria) -Wl,-rpath,"$prefix/lib"
check_run "C example" "$work/out-c" "$work/c_example"

# Python through ctypes: one session, then two at once on two threads.
example=$src/examples/python/print_declaration.py
LD_LIBRARY_PATH=$prefix/lib check_run "Python example" "$work/out-python" python3 "$example"
mkdir -p "$work/py-a" "$work/py-b"
LD_LIBRARY_PATH=$prefix/lib python3 "$example" "$db" 26001IC04000123A "$work/py-a" \
  26001IC04000123A "$work/py-b" > "$work/py-two" || fail "Python, two sessions: $(cat "$work/py-two")"
[ "$(grep -c ': {"Result": "OK"}$' "$work/py-two")" = 6 ] ||
  fail "Python, two sessions: $(cat "$work/py-two")"
for out in "$work/py-a" "$work/py-b"; do
  cmp -s "$out/cover.pdf" "$work/out-python/cover.pdf" ||
    [ "$(pdftotext "$out/cover.pdf" -)" = "$(pdftotext "$work/out-python/cover.pdf" -)" ] ||
    fail "Python, two sessions: $out/cover.pdf differs from one session's"
done
echo "installed package: library, headers, tool, CMake package, pkg-config, examples: OK"
