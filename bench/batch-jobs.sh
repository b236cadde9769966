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

# The median of three batches with `jobs` jobs: wall seconds and CPU seconds
# (user and system), as "WALL CPU".
batch() {
  local jobs=$1 runs=()
  for _ in 1 2 3; do
    rm -rf "$work/out"
    local TIMEFORMAT='%R %U %S'
    local took
    took=$({ time "$tool" batch -c "sqlite:$work/bench.db" --oper 1 --oper-date 05/12/2026 \
      --out "$work/out" --from "$work/list.txt" --jobs "$jobs" > "$work/lines" 2> /dev/null; } 2>&1)
    [ "$(grep -c '"Result": "OK"' "$work/lines")" = 100 ] || { echo "batch failed" >&2; exit 1; }
    runs+=("$(echo "$took" | awk '{ printf "%s %.3f", $1, $2 + $3 }')")
  done
  printf '%s\n' "${runs[@]}" | sort -n | sed -n '2p'
}
read -r one one_cpu <<< "$(batch 1)"
read -r two two_cpu <<< "$(batch 2)"
awk -v one="$one" -v two="$two" -v one_cpu="$one_cpu" -v two_cpu="$two_cpu" \
  -v cores="$(nproc)" -v load="$(cut -d' ' -f1 /proc/loadavg)" 'BEGIN {
  printf "batch of 100 declarations, 1 job:  %6.2f s  %6.1f declarations/s  (CPU %.2f s)\n",
    one, 100 / one, one_cpu
  printf "batch of 100 declarations, 2 jobs: %6.2f s  %6.1f declarations/s  (CPU %.2f s)\n",
    two, 100 / two, two_cpu
  printf "speed-up of 2 jobs: %.2fx (goal 1.6x on %d cores), load average %s", one / two, cores, load
  if (load + 0 >= cores) printf ": a busy machine, where the jobs wait for a core"
  printf "\n"
}'
