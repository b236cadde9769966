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
[ -f "$prefix/include/tipolaria/cprint.hpp" ] || fail "public headers not installed"
[ -x "$prefix/bin/tipolaria" ] || fail "command-line tool not installed"
objdump -p "$lib" | grep -q 'SONAME *libtipolaria.so.1' || fail "SONAME"

# Only the public class, the error type and the C interface are exported.
others=$(nm -D --defined-only "$lib" | awk '{print $3}' |
  grep -v -E '^(tipolaria_[a-z_]+|_ZN9tipolaria6CPrint.*|_ZNK?9tipolaria8ComError.*|_ZT[ISV]N9tipolaria8ComErrorE)$' || true)
[ -z "$others" ] || fail "symbols exported beyond the public interface: $(echo $others | head -c 300)"
nm -D --defined-only "$lib" | grep -q ' tipolaria_generate_imp$' || fail "C interface not exported"

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

# Python through ctypes.
LD_LIBRARY_PATH=$prefix/lib check_run "Python example" "$work/out-python" \
  python3 "$src/examples/python/print_declaration.py"
echo "installed package: library, headers, tool, CMake package, pkg-config, examples: OK"
