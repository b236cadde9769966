// A database engine as CDataBase uses it. Each backend turns its engine's
// failures into ComError with the engine's message as the description and
// its own name as the source; CDataBase appends its procedure names.
#ifndef TIPOLARIA_DATA_BACKEND_HPP_
#define TIPOLARIA_DATA_BACKEND_HPP_

#include <chrono>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "data/Recordset.hpp"
#include "runtime/Value.hpp"

namespace tipolaria {

// One parameter of a stored-procedure call, with the data type and direction
// codes of the original data-access layer (3 integer, 200 varchar; 1 input,
// 4 return value).
struct ProcedureParam {
  std::string name;
  std::int32_t type = 0;
  std::int32_t direction = 0;
  std::int32_t size = 0;
  Value value;
};

class Backend {
 public:
  virtual ~Backend() = default;
  // SQL in the customs database's dialect; the backend translates what its
  // engine needs.
  virtual Recordset Query(const std::string& sql) = 0;
  virtual void Execute(const std::string& sql) = 0;
  // One statement with "?" markers, run once for each row of values, in
  // order; the first failing row stops it with that row's error. An engine
  // across a network takes the whole array as one request.
  virtual void ExecuteArray(const std::string& sql,
                            const std::vector<std::vector<Value>>& rows) = 0;
  virtual Recordset CallProcedure(const std::string& name,
                                  const std::vector<ProcedureParam>& params) = 0;
  virtual void BeginTransaction() = 0;
  virtual void CommitTransaction() = 0;
  virtual void RollbackTransaction() = 0;

  // A batch: every statement up to EndBatch in one transaction of the
  // engine, so that what commits on its own today reaches the disk at once
  // (a generation's rows, one disk sync instead of one per statement). A
  // transaction begun inside a batch is a savepoint of it: its rollback
  // leaves none of its statements and keeps the batch's. EndBatch commits
  // everything that stands, also after an error, so that a batch keeps
  // exactly what statements committing one by one would have kept. A
  // backend without batches (the default) commits as it goes.
  virtual void BeginBatch() {}
  virtual void EndBatch() {}

  // The print lock: one session at a time generates into the work table IMP
  // or reads it, whichever process it runs in. The lock belongs to the
  // database, not to the connection, and the system releases it when the
  // process that holds it dies.
  // Takes the database's print lock, waiting at most `wait`; false when it is still taken then.
  virtual bool AcquirePrintLock(std::chrono::milliseconds wait) = 0;
  virtual void ReleasePrintLock() = 0;

  // False where a column may hold values of another type than it declares
  // (SQLite keeps the text "mil" in a DECIMAL column); a server's columns
  // hold only their own type.
  virtual bool EnforcesColumnTypes() const { return true; }

  // Requests sent to the database engine since the connection opened (each
  // statement, each transaction command; an array counts once on an engine
  // that takes it whole and once per row elsewhere), for the benchmarks.
  virtual std::uint64_t RoundTrips() const = 0;
};

// Opens the backend a connection string names (see ConnectionString.hpp).
std::unique_ptr<Backend> OpenBackend(const std::string& connection_string);

}  // namespace tipolaria

#endif  // TIPOLARIA_DATA_BACKEND_HPP_
