#!/usr/bin/env bash
# The requests and transactions of one `tipolaria generate` through the ODBC
# driver manager, counted in unixODBC's own trace (SQLExecDirect/SQLExecute
# calls, SQLEndTran calls), with the generation's wall time and the time a
# network with 0.5 ms round trips would add. The trace is switched on in a
# private copy of the driver list (ODBCSYSINI), never in the machine's own.
# Usage: bench/odbc-requests.sh [BUILD] [ITEMS]   (ITEMS 0, the default: the
# demo declaration; otherwise a declaration of that many items)
set -euo pipefail
cd "$(dirname "$0")/.."
tool="$(realpath "${1:-build}")/cli/tipolaria"
items="${2:-0}"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$tool" db init "$work/customs.db" > /dev/null
{
  cat tests/fixtures/decl_catalogo.sql tests/fixtures/decl_demo.sql
  if [ "$items" -gt 0 ]; then
    echo "CREATE TABLE cantidad_items AS SELECT $items AS n;"
    cat tests/fixtures/decl_items.sql
  fi
} | sqlite3 "$work/customs.db"
iddtext=26001IC04000123A
[ "$items" -gt 0 ] && iddtext=26001IC04000777C
ini=$(odbcinst -j | awk -F': ' '/DRIVERS/ { print $2 }')
{ printf '[ODBC]\nTrace=Yes\nTraceFile=%s\n\n' "$work/trace"; sed '/^\[ODBC\]$/,/^\[/{/^\[ODBC\]$/d;/^[^[]/d}' "$ini"; } > "$work/odbcinst.ini"
generate() {
  "$tool" generate -c "Driver=SQLite3;Database=$work/customs.db" --iddtext "$iddtext" --oper 1 \
    --canal 2 --nombre-despachante "O'BRIEN, JUAN PATRICIO" --fecofi "05/12/2026 10:42:17" \
    --oper-date 05/12/2026 > /dev/null
}
ODBCSYSINI="$work" generate
# The wall time without the trace, which slows every call.
start=$(date +%s%N)
generate
end=$(date +%s%N)
requests=$(($(grep -c -E 'SQLExecDirect\.c|SQLExecute\.c' "$work/trace") / 2))
transactions=$(($(grep -c 'SQLEndTran\.c' "$work/trace") / 2))
goal_requests=100
[ "$items" -gt 0 ] && goal_requests=$((items * 10))
printf 'items %s: requests %s (goal %s), transactions %s (goal 1), wall %s s, network at 0.5 ms %s s\n' \
  "$items" "$requests" "$goal_requests" "$transactions" \
  "$(awk -v ns=$((end - start)) 'BEGIN { printf "%.2f", ns / 1e9 }')" \
  "$(awk -v n="$requests" 'BEGIN { printf "%.2f", n * 0.0005 }')"
