// A backend that wraps the real one and fails on purpose, with a database
// error, so tests can follow error paths and source chains: the statement
// whose text contains a given piece fails from its nth occurrence on, or the
// statement of a given number alone fails.
#ifndef TIPOLARIA_TESTS_SUPPORT_FAULTYBACKEND_HPP_
#define TIPOLARIA_TESTS_SUPPORT_FAULTYBACKEND_HPP_

#include <memory>
#include <string>
#include <vector>

#include "data/Backend.hpp"
#include "data/CDataBase.hpp"

namespace tipolaria::testing {

struct Fault {
  std::string statement_contains;  // matched against the statement text
  int occurrence = 1;              // fail from this matching statement on
  // When not 0: only the statement of this number fails, counting every
  // statement (query, command, procedure, BEGIN, COMMIT) from the opening
  // of the connection on, 1 the first; the piece of text is not used.
  int statement_number = 0;
};

class FaultyBackend final : public Backend {
 public:
  FaultyBackend(std::unique_ptr<Backend> real, Fault fault)
      : real_(std::move(real)), fault_(std::move(fault)) {}

  Recordset Query(const std::string& sql) override;
  void Execute(const std::string& sql) override;
  // Each row counts as one statement, its values written in; a failing row
  // leaves the rows before it written.
  void ExecuteArray(const std::string& sql, const std::vector<std::vector<Value>>& rows) override;
  Recordset CallProcedure(const std::string& name,
                          const std::vector<ProcedureParam>& params) override;
  void BeginTransaction() override;
  void CommitTransaction() override;
  void RollbackTransaction() override;
  // Passed on as they are, without a log entry or a fault.
  void BeginBatch() override { real_->BeginBatch(); }
  void EndBatch() override { real_->EndBatch(); }
  bool AcquirePrintLock(std::chrono::milliseconds wait) override;
  void ReleasePrintLock() override;
  bool EnforcesColumnTypes() const override { return real_->EnforcesColumnTypes(); }
  std::uint64_t RoundTrips() const override { return real_->RoundTrips(); }

  // From now on, fails only the `number`th statement to come (1 the next
  // one), counted as Fault::statement_number counts them.
  void FailStatementFromNow(int number) { fault_ = Fault{"", 1, statements_ + number}; }

  // Every statement seen, in order (transactions as BEGIN/COMMIT/ROLLBACK).
  const std::vector<std::string>& log() const { return log_; }
  // Every call, in order: the statements of log() and the print lock's
  // kPrintLockTaken and kPrintLockReleased (a refused lock is not a call
  // that changes anything).
  const std::vector<std::string>& calls() const { return calls_; }
  static constexpr const char* kPrintLockTaken = "print lock taken";
  static constexpr const char* kPrintLockReleased = "print lock released";

 private:
  void Check(const std::string& statement);
  void Log(const std::string& statement);
  [[noreturn]] static void Fail(const std::string& statement);

  std::unique_ptr<Backend> real_;
  Fault fault_;
  int seen_ = 0;
  int statements_ = 0;
  std::vector<std::string> log_;
  std::vector<std::string> calls_;
};

// A CDataBase connected to `connection` through a FaultyBackend; `backend`
// receives a pointer to it (owned by the CDataBase) for reading its log.
std::unique_ptr<CDataBase> OpenFaulty(const std::string& connection, Fault fault,
                                      FaultyBackend** backend = nullptr);

}  // namespace tipolaria::testing

#endif  // TIPOLARIA_TESTS_SUPPORT_FAULTYBACKEND_HPP_
