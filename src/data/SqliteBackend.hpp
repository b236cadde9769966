// The embedded database: an SQLite file reached through the SQLite C API.
// Opening never creates a file. SQL arrives in the customs database's dialect
// and is translated; the four PTR stored procedures are answered by queries
// (PtrProcedures.hpp). Columns declared DECIMAL read as exact decimals,
// DATETIME as dates. The print lock is an advisory lock on a file beside the
// database (PrintLockFile); taking it also waits for the engine's write lock,
// so that a session that got it does not then stall inside a statement behind
// another writer.
#ifndef TIPOLARIA_DATA_SQLITEBACKEND_HPP_
#define TIPOLARIA_DATA_SQLITEBACKEND_HPP_

#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "data/Backend.hpp"
#include "data/PrintLockFile.hpp"

struct sqlite3;
struct sqlite3_stmt;

namespace tipolaria {

class SqliteBackend final : public Backend {
 public:
  // Opens an existing database file; a missing or unreadable file, or one
  // that is not a database, is a connection error naming the path.
  explicit SqliteBackend(const std::string& path);
  ~SqliteBackend() override;
  SqliteBackend(const SqliteBackend&) = delete;
  SqliteBackend& operator=(const SqliteBackend&) = delete;

  Recordset Query(const std::string& sql) override;
  void Execute(const std::string& sql) override;
  void ExecuteArray(const std::string& sql, const std::vector<std::vector<Value>>& rows) override;
  Recordset CallProcedure(const std::string& name,
                          const std::vector<ProcedureParam>& params) override;
  void BeginTransaction() override;
  void CommitTransaction() override;
  void RollbackTransaction() override;
  void BeginBatch() override;
  void EndBatch() override;
  bool AcquirePrintLock(std::chrono::milliseconds wait) override;
  void ReleasePrintLock() override;
  bool EnforcesColumnTypes() const override { return false; }
  std::uint64_t RoundTrips() const override { return round_trips_; }

  // Runs a script of several statements as it stands (no translation), as
  // creating a database from the embedded schema does.
  void ExecuteScript(const std::string& script);

 private:
  Recordset Run(const std::string& sql, const std::vector<Value>& bindings, bool want_rows);
  // A query or data change in SQLite's dialect, through the prepared
  // statement of its shape when it has one.
  Recordset RunText(const std::string& sql, bool want_rows);
  // The prepared statement of a shape, prepared on first use; null when the
  // shape cannot stand for its statements (see the definition).
  sqlite3_stmt* ShapeStatement(const std::string& shape);
  // Steps `stmt` to its end: its rows when `want_rows`. `sql` names the
  // statement in errors.
  Recordset Collect(sqlite3_stmt* stmt, const std::string& sql, bool want_rows);
  [[noreturn]] void Fail(const std::string& context) const;
  void SetBusyTimeout(std::chrono::milliseconds wait);

  struct FinalizeStatement {
    void operator()(sqlite3_stmt* stmt) const;
  };
  using PreparedPtr = std::unique_ptr<sqlite3_stmt, FinalizeStatement>;

  sqlite3* db_ = nullptr;
  PrintLockFile print_lock_;
  std::uint64_t round_trips_ = 0;
  // Statements of ExecuteArray, prepared once per shape and kept for the
  // connection's life.
  std::unordered_map<std::string, PreparedPtr> prepared_;
  // Statements of Query and Execute by shape (literals as parameters); a null
  // entry marks a shape that is run from its literal text.
  std::unordered_map<std::string, PreparedPtr> shapes_;
  bool in_batch_ = false;
  int savepoints_ = 0;  // transactions open inside the batch
};

// Creates a new database file at `path` from the embedded schema, then runs
// the script `data_sql` on it (data in SQLite's dialect; none when empty).
// An existing file is never overwritten; the file appears only when
// complete.
void CreateDatabaseFile(const std::string& path, const std::string& data_sql = "");

// The embedded schema's SQL text.
const char* EmbeddedSchema();

}  // namespace tipolaria

#endif  // TIPOLARIA_DATA_SQLITEBACKEND_HPP_
