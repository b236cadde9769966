// Parses T-SQL with node-sql-parser's transactsql grammar: every request of
// statement logs (one a line; lines starting with "--" are notes) and the
// batches of sqlcmd scripts (separated by GO lines). A statement that does
// not parse fails the check, named with its file and line. Where the
// grammar lacks valid T-SQL, the statement's shape is on the allow-list
// below with the reason; a shape the grammar covers never goes there.
// Usage: node check-tsql.mjs --log FILE... --script FILE...
import fs from 'node:fs';
import parserPackage from 'node-sql-parser';

const parser = new parserPackage.Parser();

// Shapes the grammar rejects although SQL Server takes them.
const allowed = [
  {
    shape: /^(SAVE|ROLLBACK) TRANSACTION tipolaria_save$/,
    reason: 'the grammar knows BEGIN/COMMIT/ROLLBACK TRANSACTION but no savepoint name',
  },
  {
    shape: /^DECLARE @r int; EXEC @r = sp_getapplock @Resource = N'tipolaria\.IMP', @LockMode = N'Exclusive', @LockOwner = N'Session', @LockTimeout = \d+; SELECT @r AS r$/,
    reason: 'the grammar has no EXEC @variable = procedure (a return code into a variable)',
  },
  {
    shape: /^IF OBJECT_ID\(N'dbo\.\w+', N'P'\) IS NOT NULL DROP PROCEDURE dbo\.\w+;$/,
    reason: 'the grammar has no DROP PROCEDURE',
  },
];

function parses(sql) {
  try {
    parser.astify(sql, { database: 'transactsql' });
    return null;
  } catch (e) {
    return e.message.split('\n')[0].slice(0, 160);
  }
}

const failures = [];
const allowedSeen = new Map();
let checked = 0;

function check(sql, where) {
  checked++;
  const error = parses(sql);
  if (error === null) return;
  const allowance = allowed.find((a) => a.shape.test(sql));
  if (allowance) {
    allowedSeen.set(allowance.reason, (allowedSeen.get(allowance.reason) || 0) + 1);
    return;
  }
  failures.push(`${where}: ${sql}\n    ${error}`);
}

// A procedure's header is beyond the grammar (no CREATE PROCEDURE); the
// statements of its body are checked one by one.
function checkBatch(batch, where) {
  const procedure = /^CREATE PROCEDURE [\s\S]*?\bAS\s+BEGIN\b([\s\S]*)\bEND\s*$/i.exec(batch);
  if (!procedure) return check(batch, where);
  for (const statement of procedure[1].split(';')) {
    const sql = statement.trim();
    // RETURN is a control-of-flow word of a procedure, not a statement the
    // grammar reads alone.
    if (sql && !/^RETURN \d+$/.test(sql)) check(sql, `${where} (procedure body)`);
  }
}

let mode = null;
for (const arg of process.argv.slice(2)) {
  if (arg === '--log' || arg === '--script') {
    mode = arg;
    continue;
  }
  const text = fs.readFileSync(arg, 'utf8');
  if (mode === '--log') {
    text.split('\n').forEach((line, i) => {
      if (line.trim() && !line.startsWith('--')) check(line, `${arg}:${i + 1}`);
    });
  } else {
    let start = 1;
    const lines = text.split('\n');
    let batch = [];
    lines.forEach((line, i) => {
      if (/^\s*GO\s*$/i.test(line)) {
        const sql = batch.join('\n').replace(/^\s*--.*$/gm, '').trim();
        if (sql) checkBatch(sql, `${arg}:${start}`);
        batch = [];
        start = i + 2;
      } else {
        batch.push(line);
      }
    });
    const rest = batch.join('\n').replace(/^\s*--.*$/gm, '').trim();
    if (rest) checkBatch(rest, `${arg}:${start}`);
  }
}

for (const [reason, count] of allowedSeen) console.log(`allowed (${count}): ${reason}`);
for (const f of failures) console.log(`not T-SQL: ${f}`);
console.log(`${checked - failures.length} passed, ${failures.length} failed`);
process.exit(failures.length === 0 && checked > 0 ? 0 : 1);
