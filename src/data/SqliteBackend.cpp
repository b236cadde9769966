#include "data/SqliteBackend.hpp"

#include <sqlite3.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <climits>
#include <cstdlib>
#include <filesystem>

#include "data/DatabaseErrors.hpp"
#include "data/PtrProcedures.hpp"
#include "data/SqlDialect.hpp"
#include "data/SqlText.hpp"
#include "data/SqliteWriteLock.hpp"
#include "tipolaria/error.hpp"

namespace tipolaria {
namespace {

constexpr const char* kSource = "SQLite";
// How long a statement waits at least for the engine's lock held by another
// connection. The original command time-out of 900 seconds left a user
// staring at a silent tool for a quarter of an hour; a session that waits
// for another writer mostly waits in AcquirePrintLock, which is bounded by
// the session's own wait and said.
constexpr std::chrono::milliseconds kDefaultBusyTimeout{60 * 1000};

std::string Upper(const char* text) {
  std::string out = text == nullptr ? "" : text;
  for (char& c : out) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return out;
}

class Statement {
 public:
  Statement(sqlite3* db, const char* sql, const char** tail) {
    rc_ = sqlite3_prepare_v2(db, sql, -1, &stmt_, tail);
  }
  ~Statement() { sqlite3_finalize(stmt_); }
  Statement(const Statement&) = delete;
  Statement& operator=(const Statement&) = delete;
  sqlite3_stmt* get() const { return stmt_; }
  int rc() const { return rc_; }

 private:
  sqlite3_stmt* stmt_ = nullptr;
  int rc_;
};

// A column value read by its declared type: DECIMAL columns as exact
// decimals, DATETIME columns as dates, REAL values as the decimal of their
// shortest text.
Value ReadColumn(sqlite3_stmt* stmt, int i) {
  const int type = sqlite3_column_type(stmt, i);
  if (type == SQLITE_NULL) return Value::Null();
  const std::string decl = Upper(sqlite3_column_decltype(stmt, i));
  const bool is_decimal = decl.find("DEC") != std::string::npos ||
                          decl.find("NUMERIC") != std::string::npos ||
                          decl.find("MONEY") != std::string::npos;
  const bool is_date = decl.find("DATE") != std::string::npos;
  switch (type) {
    case SQLITE_INTEGER:
      if (is_decimal) return Value(Decimal(sqlite3_column_int64(stmt, i)));
      return Value(static_cast<std::int64_t>(sqlite3_column_int64(stmt, i)));
    case SQLITE_FLOAT:
      return Value(Decimal::FromDouble(sqlite3_column_double(stmt, i)));
    default: {
      const auto* bytes = reinterpret_cast<const char*>(sqlite3_column_text(stmt, i));
      std::string text(bytes == nullptr ? "" : bytes,
                       static_cast<std::size_t>(sqlite3_column_bytes(stmt, i)));
      if (is_date) {
        if (auto date = DateTime::ParseIso(text)) return Value(*date);
      } else if (is_decimal) {
        if (auto number = Decimal::Parse(text)) return Value(*number);
      }
      return Value(std::move(text));
    }
  }
}

void Bind(sqlite3_stmt* stmt, int index, const Value& v) {
  switch (v.kind()) {
    case Value::Kind::kNull:
      sqlite3_bind_null(stmt, index);
      break;
    case Value::Kind::kInteger:
      sqlite3_bind_int64(stmt, index, v.AsInteger());
      break;
    case Value::Kind::kBoolean:
      sqlite3_bind_int64(stmt, index, v.AsBoolean() ? -1 : 0);
      break;
    case Value::Kind::kText:
      sqlite3_bind_text(stmt, index, v.AsText().c_str(), static_cast<int>(v.AsText().size()),
                        SQLITE_TRANSIENT);
      break;
    case Value::Kind::kDecimal: {
      const std::string text = v.AsDecimal().ToString();
      sqlite3_bind_text(stmt, index, text.c_str(), static_cast<int>(text.size()), SQLITE_TRANSIENT);
      break;
    }
    case Value::Kind::kDouble:
      sqlite3_bind_double(stmt, index, v.AsDouble());
      break;
    case Value::Kind::kDate: {
      const std::string text = v.AsDate().ToIso();
      sqlite3_bind_text(stmt, index, text.c_str(), static_cast<int>(text.size()), SQLITE_TRANSIENT);
      break;
    }
  }
}

bool IsBlank(const char* text) {
  for (; text != nullptr && *text != '\0'; ++text) {
    if (!std::isspace(static_cast<unsigned char>(*text)) && *text != ';') return false;
  }
  return true;
}

}  // namespace

SqliteBackend::SqliteBackend(const std::string& path) : print_lock_(path) {
  std::error_code ec;
  if (!std::filesystem::exists(path, ec)) {
    RaiseDatabaseError(kSource,
                       "Cannot open the database \"" + path + "\": the file does not exist");
  }
  if (std::filesystem::is_directory(path, ec)) {
    RaiseDatabaseError(kSource, "Cannot open the database \"" + path + "\": it is a folder");
  }
  if (sqlite3_open_v2(path.c_str(), &db_, SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX, nullptr) !=
      SQLITE_OK) {
    const std::string message = db_ != nullptr ? sqlite3_errmsg(db_) : "out of memory";
    sqlite3_close(db_);
    db_ = nullptr;
    RaiseDatabaseError(kSource, "Cannot open the database \"" + path + "\": " + message);
  }
  SetBusyTimeout(kDefaultBusyTimeout);
  sqlite3_extended_result_codes(db_, 1);
  // Reading the catalogue proves the file is a database.
  Statement probe(db_, "SELECT count(*) FROM sqlite_master", nullptr);
  if (probe.rc() != SQLITE_OK || sqlite3_step(probe.get()) != SQLITE_ROW) {
    const std::string message = sqlite3_errmsg(db_);
    sqlite3_close(db_);
    db_ = nullptr;
    RaiseDatabaseError(kSource, "Cannot open the database \"" + path + "\": " + message);
  }
}

void SqliteBackend::FinalizeStatement::operator()(sqlite3_stmt* stmt) const {
  sqlite3_finalize(stmt);
}

SqliteBackend::~SqliteBackend() {
  prepared_.clear();
  shapes_.clear();
  sqlite3_close(db_);
}

void SqliteBackend::Fail(const std::string& context) const {
  RaiseDatabaseError(kSource, std::string(sqlite3_errmsg(db_)) + context);
}

Recordset SqliteBackend::Run(const std::string& sql, const std::vector<Value>& bindings,
                             bool want_rows) {
  RejectNul(kSource, sql);
  ++round_trips_;
  const char* tail = nullptr;
  Statement stmt(db_, sql.c_str(), &tail);
  if (stmt.rc() != SQLITE_OK) Fail(" in: " + sql);
  if (!IsBlank(tail)) {
    RaiseDatabaseError(kSource, "Only one statement may be sent at a time: " + sql);
  }
  if (stmt.get() == nullptr) return Recordset({}, {});
  for (std::size_t i = 0; i < bindings.size(); ++i) {
    Bind(stmt.get(), static_cast<int>(i + 1), bindings[i]);
  }
  return Collect(stmt.get(), sql, want_rows);
}

Recordset SqliteBackend::Collect(sqlite3_stmt* stmt, const std::string& sql, bool want_rows) {
  const int columns = sqlite3_column_count(stmt);
  std::vector<std::string> names;
  for (int i = 0; i < columns; ++i) names.emplace_back(sqlite3_column_name(stmt, i));
  std::vector<Recordset::Row> rows;
  for (;;) {
    const int rc = sqlite3_step(stmt);
    if (rc == SQLITE_DONE) break;
    if (rc != SQLITE_ROW) Fail(" in: " + sql);
    if (!want_rows) continue;
    Recordset::Row row;
    row.reserve(static_cast<std::size_t>(columns));
    for (int i = 0; i < columns; ++i) row.push_back(ReadColumn(stmt, i));
    rows.push_back(std::move(row));
  }
  return Recordset(std::move(names), std::move(rows));
}

Recordset SqliteBackend::RunText(const std::string& sql, bool want_rows) {
  RejectNul(kSource, sql);
  std::optional<StatementShape> shape = ShapeOf(sql);
  sqlite3_stmt* stmt = shape ? ShapeStatement(shape->text) : nullptr;
  if (stmt == nullptr) return Run(sql, {}, want_rows);
  ++round_trips_;
  // Reset whatever happens: a statement left stepping would hold its read
  // of the database (and block writers) until its next use.
  struct ResetOnExit {
    sqlite3_stmt* stmt;
    ~ResetOnExit() {
      sqlite3_reset(stmt);
      sqlite3_clear_bindings(stmt);
    }
  } reset{stmt};
  for (std::size_t i = 0; i < shape->literals.size(); ++i) {
    const std::string& text = shape->literals[i];
    sqlite3_bind_text(stmt, static_cast<int>(i + 1), text.data(), static_cast<int>(text.size()),
                      SQLITE_STATIC);
  }
  return Collect(stmt, sql, want_rows);
}

sqlite3_stmt* SqliteBackend::ShapeStatement(const std::string& shape) {
  if (auto found = shapes_.find(shape); found != shapes_.end()) return found->second.get();
  // A generation uses a few hundred shapes; beyond that the cache starts over
  // rather than grow with a long-lived session.
  constexpr std::size_t kMaxShapes = 1024;
  if (shapes_.size() >= kMaxShapes) shapes_.clear();
  sqlite3_stmt* prepared = nullptr;
  const char* tail = nullptr;
  if (sqlite3_prepare_v3(db_, shape.c_str(), -1, SQLITE_PREPARE_PERSISTENT, &prepared, &tail) !=
      SQLITE_OK) {
    // The statement's own text then says what is wrong with it, in its own
    // words; a table created later may yet make the shape good.
    sqlite3_finalize(prepared);
    return nullptr;
  }
  PreparedPtr statement(prepared);
  // Several statements, or a result column named after a literal it shows
  // (SELECT 'x' gives a column named 'x', the shape one named ?): these run
  // from their text, so that they behave and read exactly as written.
  bool as_written = prepared == nullptr || !IsBlank(tail);
  for (int i = 0; !as_written && i < sqlite3_column_count(prepared); ++i) {
    as_written =
        std::string_view(sqlite3_column_name(prepared, i)).find('?') != std::string_view::npos;
  }
  if (as_written) statement.reset();
  return shapes_.emplace(shape, std::move(statement)).first->second.get();
}

Recordset SqliteBackend::Query(const std::string& sql) {
  return RunText(TranslateToSqlite(sql), true);
}

void SqliteBackend::Execute(const std::string& sql) { RunText(TranslateToSqlite(sql), false); }

Recordset SqliteBackend::CallProcedure(const std::string& name,
                                       const std::vector<ProcedureParam>& params) {
  const PtrQuery query = PtrProcedureQuery(kSource, name, params);
  return Run(query.sql, query.inputs, true);
}

void SqliteBackend::ExecuteArray(const std::string& sql,
                                 const std::vector<std::vector<Value>>& rows) {
  if (rows.empty()) return;
  // The page saves send the same shapes page after page: each is prepared
  // once for the connection's life.
  auto found = prepared_.find(sql);
  if (found == prepared_.end()) {
    const std::string translated = TranslateToSqlite(sql);
    sqlite3_stmt* prepared = nullptr;
    if (sqlite3_prepare_v3(db_, translated.c_str(), -1, SQLITE_PREPARE_PERSISTENT, &prepared,
                           nullptr) != SQLITE_OK) {
      sqlite3_finalize(prepared);
      Fail(" in: " + translated);
    }
    found = prepared_.emplace(sql, PreparedPtr(prepared)).first;
  }
  sqlite3_stmt* stmt = found->second.get();
  for (const std::vector<Value>& row : rows) {
    ++round_trips_;
    sqlite3_reset(stmt);
    for (std::size_t i = 0; i < row.size(); ++i) {
      Bind(stmt, static_cast<int>(i + 1), row[i]);
    }
    if (sqlite3_step(stmt) != SQLITE_DONE) {
      const std::string message = sqlite3_errmsg(db_);
      sqlite3_reset(stmt);
      RaiseDatabaseError(kSource, message + " in: " + TranslateToSqlite(sql));
    }
  }
  // Unbound, the statement holds no copy of the last row's texts.
  sqlite3_reset(stmt);
  sqlite3_clear_bindings(stmt);
}

void SqliteBackend::BeginTransaction() {
  if (!in_batch_) {
    Run("BEGIN", {}, false);
    return;
  }
  Run("SAVEPOINT batch_transaction", {}, false);
  ++savepoints_;
}

void SqliteBackend::CommitTransaction() {
  if (!in_batch_ || savepoints_ == 0) {
    Run("COMMIT", {}, false);
    return;
  }
  --savepoints_;
  Run("RELEASE batch_transaction", {}, false);
}

void SqliteBackend::RollbackTransaction() {
  if (!in_batch_ || savepoints_ == 0) {
    Run("ROLLBACK", {}, false);
    return;
  }
  --savepoints_;
  // ROLLBACK TO keeps the savepoint open; RELEASE then ends it without
  // undoing the batch.
  Run("ROLLBACK TO batch_transaction", {}, false);
  Run("RELEASE batch_transaction", {}, false);
}

void SqliteBackend::BeginBatch() {
  if (in_batch_) return;
  // IMMEDIATE: the write lock is taken now, under the print lock, and not
  // halfway through the batch.
  Run("BEGIN IMMEDIATE", {}, false);
  in_batch_ = true;
  savepoints_ = 0;
}

void SqliteBackend::EndBatch() {
  if (!in_batch_) return;
  in_batch_ = false;
  savepoints_ = 0;
  // The engine abandons a transaction by itself on some failures (a full
  // disk, an I/O error): there is nothing left to commit then.
  if (sqlite3_get_autocommit(db_) != 0) return;
  try {
    Run("COMMIT", {}, false);
  } catch (...) {
    // A commit that could not be made must not leave the transaction open
    // under the statements that follow.
    if (sqlite3_get_autocommit(db_) == 0) sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
    throw;
  }
}

bool SqliteBackend::AcquirePrintLock(std::chrono::milliseconds wait) {
  const auto deadline = std::chrono::steady_clock::now() + wait;
  if (!print_lock_.LockWithin(wait)) return false;
  if (!SqliteWriteLockFree(db_, deadline)) {
    print_lock_.Unlock();
    return false;
  }
  // Statements still meet the engine's lock now and then (another session
  // opening the database reads it): they wait for it at least the default
  // time, longer when the session waits longer for the print lock.
  SetBusyTimeout(
      std::max(std::chrono::duration_cast<std::chrono::milliseconds>(wait), kDefaultBusyTimeout));
  return true;
}

void SqliteBackend::ReleasePrintLock() { print_lock_.Unlock(); }

void SqliteBackend::SetBusyTimeout(std::chrono::milliseconds wait) {
  sqlite3_busy_timeout(
      db_, static_cast<int>(std::min<std::chrono::milliseconds::rep>(wait.count(), INT_MAX)));
}

void SqliteBackend::ExecuteScript(const std::string& script) {
  char* message = nullptr;
  if (sqlite3_exec(db_, script.c_str(), nullptr, nullptr, &message) != SQLITE_OK) {
    const std::string text = message != nullptr ? message : "unknown error";
    sqlite3_free(message);
    RaiseDatabaseError(kSource, text);
  }
}

void CreateDatabaseFile(const std::string& path, const std::string& data_sql) {
  namespace fs = std::filesystem;
  std::error_code ec;
  if (fs::exists(path, ec)) {
    RaiseDatabaseError(kSource, "The file \"" + path + "\" already exists; it is not overwritten");
  }
  // Build the database beside its target and move it into place only when
  // complete, without replacing a file that appeared meanwhile.
  std::string temp = path + ".XXXXXX";
  const int fd = mkstemp(temp.data());
  if (fd < 0) {
    RaiseDatabaseError(kSource, "Cannot create the database \"" + path +
                                    "\": " + std::generic_category().message(errno));
  }
  close(fd);
  try {
    {
      SqliteBackend db(temp);
      // One transaction: the schema is written once, not table by table.
      db.ExecuteScript(std::string("BEGIN;\n") + EmbeddedSchema() + "\nCOMMIT;");
      if (!data_sql.empty()) db.ExecuteScript(data_sql);
    }
    if (link(temp.c_str(), path.c_str()) != 0) {
      RaiseDatabaseError(kSource, "Cannot create the database \"" + path +
                                      "\": " + std::generic_category().message(errno));
    }
  } catch (...) {
    unlink(temp.c_str());
    throw;
  }
  unlink(temp.c_str());
}

}  // namespace tipolaria
