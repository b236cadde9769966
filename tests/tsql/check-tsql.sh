#!/usr/bin/env bash
# The T-SQL check: generates the demo declaration and those of the test
# fixtures with the statement log on (the log is in the SQL Server dialect,
# whichever database runs the generation), prints and dumps IMP the same
# way, and parses every logged request and the batches of db/sqlserver/
# with node-sql-parser's T-SQL grammar (check-tsql.mjs). node-sql-parser is
# fetched from the npm registry, at the version pinned in fetch-npm.py, into
# FOLDER (a folder of the build, never of the sources).
# Usage: tests/tsql/check-tsql.sh TIPOLARIA_TOOL FOLDER
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
root="$here/../.."
tool="$1"
folder="$2"
mkdir -p "$folder"
"$here/fetch-npm.py" "$folder"
# The check imports the grammar from beside itself.
cp "$here/check-tsql.mjs" "$folder/"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
db="$work/customs.db"
"$tool" db init "$db" > /dev/null
fixtures="$root/tests/fixtures"
{
  cat "$fixtures/decl_catalogo.sql" "$fixtures/decl_demo.sql" "$fixtures/decl_desborde.sql" \
    "$fixtures/decl_exportacion.sql" "$fixtures/decl_sin_liquidacion.sql" \
    "$fixtures/decl_incompleta.sql"
  echo "CREATE TABLE cantidad_items AS SELECT 3 AS n;"
  cat "$fixtures/decl_items.sql"
} | sqlite3 "$db"

for iddtext in 26001IC04000123A 26073IC04000456B 26046EC01000871K 26033EC01000102P \
  26001IC04000999Z 26079IC04000321C 26001IC04000777C; do
  status=0
  "$tool" generate -c "sqlite:$db" --iddtext "$iddtext" --oper 1 --canal 2 --org "ADUANA" \
    --eta X1 --nombre-despachante "O'BRIEN, JUAN PATRICIO" --fecofi "05/12/2026 10:42:17" \
    --oper-date 05/12/2026 --cover "$work/$iddtext-cover.pdf" \
    --continuation "$work/$iddtext-continuation.pdf" --sql-log "$work/generate-$iddtext.log" \
    > /dev/null 2>&1 || status=$?
  # A declaration with missing reference data may fail to generate (4) or
  # to print (5); its requests up to there are checked all the same.
  if [ "$status" -ne 0 ] && [ "$status" -ne 4 ] && [ "$status" -ne 5 ]; then
    echo "generate $iddtext ended with status $status" >&2
    exit 1
  fi
done
"$tool" print -c "sqlite:$db" --cover "$work/print.pdf" --sql-log "$work/print.log" > /dev/null
"$tool" imp dump -c "sqlite:$db" --sql-log "$work/dump.log" > /dev/null

node "$folder/check-tsql.mjs" --log "$work"/*.log --script "$root"/db/sqlserver/*.sql
