#include "support/FaultyBackend.hpp"

#include "data/SqlText.hpp"
#include "runtime/Convert.hpp"
#include "tipolaria/error.hpp"

namespace tipolaria::testing {

void FaultyBackend::Log(const std::string& statement) {
  log_.push_back(statement);
  calls_.push_back(statement);
}

void FaultyBackend::Check(const std::string& statement) {
  Log(statement);
  if (fault_.statement_number != 0) {
    if (++statements_ == fault_.statement_number) Fail(statement);
    return;
  }
  if (fault_.statement_contains.empty() ||
      statement.find(fault_.statement_contains) == std::string::npos)
    return;
  if (++seen_ >= fault_.occurrence) Fail(statement);
}

void FaultyBackend::Fail(const std::string& statement) {
  throw ComError(-2147467259, "FaultyBackend", "injected failure in: " + statement);
}

Recordset FaultyBackend::Query(const std::string& sql) {
  Check(sql);
  return real_->Query(sql);
}

void FaultyBackend::Execute(const std::string& sql) {
  Check(sql);
  real_->Execute(sql);
}

namespace {

// A row of an array as the statement it stands for, each "?" replaced by its
// value as a literal, so that faults match the same texts as before.
std::string WithValues(const std::string& sql, const std::vector<Value>& row) {
  std::string out;
  std::size_t next = 0;
  for (char c : sql) {
    if (c != '?' || next >= row.size()) {
      out.push_back(c);
      continue;
    }
    const Value& v = row[next++];
    if (v.IsNull()) {
      out += "NULL";
    } else if (v.kind() == Value::Kind::kText) {
      out += "'" + DoubleQuotes(v.AsText()) + "'";
    } else {
      out += ValueToText(v);
    }
  }
  return out;
}

}  // namespace

void FaultyBackend::ExecuteArray(const std::string& sql,
                                 const std::vector<std::vector<Value>>& rows) {
  for (std::size_t r = 0; r < rows.size(); ++r) {
    try {
      Check(WithValues(sql, rows[r]));
    } catch (...) {
      // The rows before the failing one are written, as an engine that stops
      // at an array's first failing row leaves them.
      real_->ExecuteArray(sql, {rows.begin(), rows.begin() + static_cast<std::ptrdiff_t>(r)});
      throw;
    }
  }
  real_->ExecuteArray(sql, rows);
}

Recordset FaultyBackend::CallProcedure(const std::string& name,
                                       const std::vector<ProcedureParam>& params) {
  Check(name);
  return real_->CallProcedure(name, params);
}

void FaultyBackend::BeginTransaction() {
  Check("BEGIN");
  real_->BeginTransaction();
}

void FaultyBackend::CommitTransaction() {
  Check("COMMIT");
  real_->CommitTransaction();
}

void FaultyBackend::RollbackTransaction() {
  Log("ROLLBACK");  // a rollback never fails on purpose, nor counts
  real_->RollbackTransaction();
}

bool FaultyBackend::AcquirePrintLock(std::chrono::milliseconds wait) {
  const bool taken = real_->AcquirePrintLock(wait);
  if (taken) calls_.push_back(kPrintLockTaken);
  return taken;
}

void FaultyBackend::ReleasePrintLock() {
  calls_.push_back(kPrintLockReleased);
  real_->ReleasePrintLock();
}

std::unique_ptr<CDataBase> OpenFaulty(const std::string& connection, Fault fault,
                                      FaultyBackend** backend) {
  auto db = std::make_unique<CDataBase>([fault, backend](const std::string& text) {
    auto faulty = std::make_unique<FaultyBackend>(OpenBackend(text), fault);
    if (backend != nullptr) *backend = faulty.get();
    return faulty;
  });
  db->SetOperDate("05/12/2026");
  db->OpenDB(connection);
  return db;
}

}  // namespace tipolaria::testing
