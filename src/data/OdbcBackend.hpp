// A database reached through the ODBC driver manager (unixODBC): SQL Server
// through FreeTDS or the vendor's driver in production, an SQLite file through
// the SQLite ODBC driver in the tests. The dialect is the server's: T-SQL goes
// to SQL Server unchanged; an SQLite target gets the embedded database's
// translation and its answers to the PTR procedures. Every statement has the
// 900-second command time-out; recordsets are read whole, exact decimals as
// text. Owns its environment and connection handles.
#ifndef TIPOLARIA_DATA_ODBCBACKEND_HPP_
#define TIPOLARIA_DATA_ODBCBACKEND_HPP_

#include <chrono>
#include <cstdint>
#include <initializer_list>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "data/Backend.hpp"
#include "data/OdbcHandle.hpp"
#include "data/PrintLockFile.hpp"

namespace tipolaria {

class OdbcBackend final : public Backend {
 public:
  // Connects with an ODBC connection string; `driver` (the Driver= name, or
  // empty for a DSN) is the source of errors.
  OdbcBackend(const std::string& connection, const std::string& driver);
  ~OdbcBackend() override;
  OdbcBackend(const OdbcBackend&) = delete;
  OdbcBackend& operator=(const OdbcBackend&) = delete;

  Recordset Query(const std::string& sql) override;
  void Execute(const std::string& sql) override;
  void ExecuteArray(const std::string& sql, const std::vector<std::vector<Value>>& rows) override;
  Recordset CallProcedure(const std::string& name,
                          const std::vector<ProcedureParam>& params) override;
  void BeginTransaction() override;
  void CommitTransaction() override;
  void RollbackTransaction() override;
  bool EnforcesColumnTypes() const override { return !sqlite_target_; }
  // A batch is one transaction of the connection, committed by EndBatch; the
  // transactions begun inside it are savepoints (SAVE TRANSACTION on SQL
  // Server, SAVEPOINT on SQLite), so a generation costs the server one
  // commit, one flush of its log.
  void BeginBatch() override;
  void EndBatch() override;
  std::uint64_t RoundTrips() const override { return round_trips_; }

  // True when the server is SQLite (its dialect is translated).
  bool TargetsSqlite() const { return sqlite_target_; }

  // The database's print lock: on SQL Server the application lock
  // "tipolaria.IMP" owned by this session (sp_getapplock), which the server
  // releases when the session ends; for an SQLite file the embedded
  // database's lock file beside it and the engine's write lock, which other
  // programs take without the lock file. Waits at most `wait` (on SQL
  // Server bounded by the command time-out); false when the lock is still
  // taken then.
  bool AcquirePrintLock(std::chrono::milliseconds wait) override;
  // Releases the lock if this session holds it.
  void ReleasePrintLock() override;

 private:
  // Connects with connection_ (again after a broken link) and checks that
  // the driver hands text over in UTF-8.
  void Connect();
  void CheckCharset();
  bool ConnectionDead() const;
  // Runs one operation on the connection (see the definition).
  template <typename Operation>
  auto OnConnection(Operation&& operation);
  std::string InDialect(const std::string& sql) const;
  OdbcHandle NewStatement();
  // Runs `sql` on `stmt`; with `want_rows`, returns the first result that
  // has columns. Every result is read, so that an error of any statement of
  // a batch is reported. `said` receives the first diagnostics that came
  // with a success, read before the next call clears them.
  Recordset Run(OdbcHandle& stmt, const std::string& sql, bool want_rows,
                std::optional<ComError>* said = nullptr);
  Recordset Call(const std::string& name, const std::vector<ProcedureParam>& params);
  void Begin();
  bool TakePrintLock(std::chrono::milliseconds wait);
  void SetAutocommit(bool on);
  // Ends the connection's transaction (commit or rollback) and returns to
  // autocommit, whatever the driver answers: a failed commit never leaves
  // the backend believing a transaction is open. Raises the driver's error
  // of a failed end.
  void EndTransaction(SQLSMALLINT completion);
  // Sends one of the savepoint commands (SqlServerText.hpp) in the target's
  // dialect.
  void Savepoint(const char* tsql, std::initializer_list<const char*> sqlite);

  std::unique_ptr<PrintLockFile> lock_file_;  // an SQLite file's print lock
  std::string sqlite_file_;                   // and the file it locks
  OdbcHandle env_;
  OdbcHandle dbc_;
  std::string connection_;  // as connected: kept for a reconnection
  std::string driver_;
  std::string source_;
  bool broken_ = false;  // the driver reported the link broken
  bool sqlite_target_ = false;
  bool in_transaction_ = false;
  bool in_batch_ = false;
  int savepoints_ = 0;  // transactions open inside the batch
  std::uint64_t round_trips_ = 0;
};

}  // namespace tipolaria

#endif  // TIPOLARIA_DATA_ODBCBACKEND_HPP_
