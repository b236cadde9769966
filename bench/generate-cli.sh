#!/usr/bin/env bash
# The demo declaration generated and printed by the command line, as a host
# script runs it: the median wall time of 20 runs of `tipolaria generate`
# with both PDFs, and the disk syncs (fsync, fdatasync) of one run, each
# beside its goal. Runs with the font chosen by fontconfig and again with
# TIPOLARIA_FONT_DIR naming the font files. Usage: bench/generate-cli.sh [BUILD]
set -euo pipefail
cd "$(dirname "$0")/.."
tool="${1:-build}/cli/tipolaria"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$tool" db init "$work/demo.db" > /dev/null
sqlite3 "$work/demo.db" < tests/fixtures/decl_catalogo.sql
sqlite3 "$work/demo.db" < tests/fixtures/decl_demo.sql
generate() {
  "$tool" generate --connection "sqlite:$work/demo.db" --iddtext 26001IC04000123A \
    --nombre-despachante "O'BRIEN, JUAN PATRICIO" --fecofi "05/12/2026 10:42:17" \
    --oper 1 --canal 2 --org "ADUANA DE BUENOS AIRES" --eta X1 --oper-date 05/12/2026 \
    --copias 1 --cover "$work/cover.pdf" --continuation "$work/continuation.pdf" > /dev/null
}
measure() {
  generate  # warm the page cache
  local times=()
  for _ in $(seq 20); do
    local start end
    start=$(date +%s%N)
    generate
    end=$(date +%s%N)
    times+=($(((end - start) / 1000)))
  done
  local median
  median=$(printf '%s\n' "${times[@]}" | sort -n | sed -n '10p;11p' |
    awk '{ s += $1 } END { printf "%.1f", s / 2 / 1000 }')
  local syncs
  syncs=$(strace -f -c -e trace=fsync,fdatasync -o "$work/strace.txt" \
    bash -c "$(declare -f generate); work='$work'; tool='$tool'; generate" && \
    awk '$NF == "fsync" || $NF == "fdatasync" { n += $4 } END { print n + 0 }' "$work/strace.txt")
  printf '%-28s median wall %7s ms (goal 30 ms)   disk syncs %3s (goal 2)\n' "$1" "$median" "$syncs"
}
measure "fonts from fontconfig"
fonts=/usr/share/fonts/truetype/liberation2
if [ -f "$fonts/LiberationSans-Regular.ttf" ]; then
  TIPOLARIA_FONT_DIR=$fonts measure "TIPOLARIA_FONT_DIR=$fonts"
fi
