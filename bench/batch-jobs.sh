#!/usr/bin/env bash
# `tipolaria batch` of a hundred declarations (copies of the demo, each with
# its cover, two item pages and eight continuation pages) with one job and
# with two: declarations per second of each, the median of three runs, and
# the speed-up of two jobs beside its goal. Generations take turns on the
# database's print lock; the prints of two jobs run side by side. The
# database is on a memory file system where there is one (/dev/shm), so that
# what is measured is the work of the jobs, not the disk's syncs.
# Usage: bench/batch-jobs.sh [BUILD]
set -euo pipefail
cd "$(dirname "$0")/.."
tool="${1:-build}/cli/tipolaria"
parent=/tmp
[ -d /dev/shm ] && parent=/dev/shm
work=$(mktemp -d -p "$parent")
trap 'rm -rf "$work"' EXIT

demo=$(cat tests/fixtures/decl_demo.sql)
{
  cat tests/fixtures/decl_catalogo.sql
  for n in $(seq -w 0 99); do
    copy=${demo//2600012345/27000000$n}
    printf '%s\n' "${copy//26001IC04000123A/26001IC040001${n}B}"
    echo "26001IC040001${n}B" >> "$work/list.txt"
  done
} > "$work/data.sql"
"$tool" db init "$work/bench.db" > /dev/null
sqlite3 "$work/bench.db" < "$work/data.sql"

# The median wall time of three batches with `jobs` jobs, in seconds.
batch() {
  local jobs=$1 times=()
  for _ in 1 2 3; do
    rm -rf "$work/out"
    local start end
    start=$(date +%s%N)
    "$tool" batch -c "sqlite:$work/bench.db" --oper 1 --oper-date 05/12/2026 --out "$work/out" \
      --from "$work/list.txt" --jobs "$jobs" > "$work/lines" 2> /dev/null
    end=$(date +%s%N)
    [ "$(grep -c '"Result": "OK"' "$work/lines")" = 100 ] || { echo "batch failed" >&2; exit 1; }
    times+=($((end - start)))
  done
  printf '%s\n' "${times[@]}" | sort -n | sed -n '2p' | awk '{ printf "%.3f", $1 / 1e9 }'
}
one=$(batch 1)
two=$(batch 2)
awk -v one="$one" -v two="$two" -v cores="$(nproc)" 'BEGIN {
  printf "batch of 100 declarations, 1 job:  %6.2f s  %6.1f declarations/s\n", one, 100 / one
  printf "batch of 100 declarations, 2 jobs: %6.2f s  %6.1f declarations/s\n", two, 100 / two
  printf "speed-up of 2 jobs: %.2fx (goal 1.6x on %d cores)\n", one / two, cores
}'
