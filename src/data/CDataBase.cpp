#include "data/CDataBase.hpp"

#include "data/ConnectionString.hpp"
#include "data/DatabaseErrors.hpp"
#include "data/ServerCommands.hpp"
#include "data/SqlText.hpp"
#include "runtime/Trap.hpp"

namespace tipolaria {

CDataBase::CDataBase() : CDataBase(OpenBackend) {}

CDataBase::CDataBase(BackendOpener opener) : opener_(std::move(opener)) {}

CDataBase::~CDataBase() = default;

void CDataBase::Sent(std::string_view tsql, std::size_t rows) {
  ++requests_;
  if (!log_) return;
  if (rows == 0) {
    log_->Request(tsql);
  } else {
    log_->Array(tsql, rows);
  }
}

void CDataBase::Command(const char* tsql) {
  const std::string_view command = tsql;
  if (command == kCommitTransaction || command == kRollbackTransaction) ++transactions_;
  if (command == kSaveTransaction || command == kRollbackToSave) ++requests_;
  if (log_) log_->Request(command);
}

Backend& CDataBase::Connected() {
  if (!backend_) {
    throw ComError(3709, "CDataBase",
                   "The connection cannot be used to perform this operation. It is either "
                   "closed or invalid in this context.");
  }
  return *backend_;
}

bool CDataBase::OpenDB(const std::string& connection_string) {
  return Trap("CDataBase.Connect", [&] {
    backend_.reset();
    keep_lookups_ = false;
    lookups_.clear();
    item_rows_.clear();
    name_ = MaskPasswords(connection_string);
    if (log_) log_->Note("connect " + name_);
    backend_ = opener_(connection_string);
    return backend_ != nullptr;
  });
}

void CDataBase::Disconnect() {
  Trap("CDataBase.Disconnect", [&] {
    Connected();
    keep_lookups_ = false;
    lookups_.clear();
    item_rows_.clear();
    backend_.reset();
  });
}

void CDataBase::BeginTrans() {
  Trap("CDataBase.gDB.BeginTrans", [&] {
    ++statements_;
    Backend& backend = Connected();
    Command(InBatch() ? kSaveTransaction : kBeginTransaction);
    backend.BeginTransaction();
  });
}

void CDataBase::CommitTrans() {
  Trap("CDataBase.gDB.CommitTrans", [&] {
    ++statements_;
    Backend& backend = Connected();
    // Within a batch the savepoint stays until the batch's commit: nothing
    // goes to the server.
    if (!InBatch()) Command(kCommitTransaction);
    backend.CommitTransaction();
  });
}

void CDataBase::RollBackTrans() {
  Trap("CDataBase.gDB.RollBackTrans", [&] {
    ++statements_;
    Backend& backend = Connected();
    Command(InBatch() ? kRollbackToSave : kRollbackTransaction);
    backend.RollbackTransaction();
  });
}

void CDataBase::BeginBatch() {
  Trap("CDataBase.BeginBatch", [&] {
    ++statements_;
    Backend& backend = Connected();
    Command(kBeginTransaction);
    backend.BeginBatch();
    keep_lookups_ = true;
  });
}

void CDataBase::EndBatch() {
  Trap("CDataBase.EndBatch", [&] {
    keep_lookups_ = false;
    lookups_.clear();
    item_rows_.clear();
    ++statements_;
    Backend& backend = Connected();
    Command(kCommitTransaction);
    backend.EndBatch();
  });
}

bool CDataBase::AcquirePrintLock(std::chrono::milliseconds wait) {
  return Trap("CDataBase.AcquirePrintLock", [&] {
    Backend& backend = Connected();
    Sent(AppLockRequest(wait));
    return backend.AcquirePrintLock(wait);
  });
}

void CDataBase::ReleasePrintLock() {
  Trap("CDataBase.ReleasePrintLock", [&] {
    Backend& backend = Connected();
    Sent(AppLockRelease());
    backend.ReleasePrintLock();
  });
}

bool CDataBase::GetRs(const std::string& sql, Recordset& rs) {
  return Trap("CDataBase.GetRs", [&] {
    ++statements_;
    Backend& backend = Connected();
    Sent(sql);
    rs = backend.Query(sql);
    return !(rs.AtBeginning() && rs.AtEnd());
  });
}

bool CDataBase::GetItemRs(const ItemQuery& query, Recordset& rs) {
  // No trap of its own: a failed read is GetRs's, as the item's question
  // would have failed.
  const std::string sql = DeclarationRows::Text(query);
  auto found = item_rows_.find(sql);
  if (found == item_rows_.end()) {
    Recordset all;
    GetRs(sql, all);
    if (!keep_lookups_) {
      rs = DeclarationRows(query, all).Of(query);
      return !(rs.AtBeginning() && rs.AtEnd());
    }
    found = item_rows_.emplace(sql, DeclarationRows(query, all)).first;
  }
  rs = found->second.Of(query);
  return !(rs.AtBeginning() && rs.AtEnd());
}

bool CDataBase::ExecuteSQL(const std::string& sql) {
  return Trap("CDataBase.ExecuteSQL", [&] {
    ++statements_;
    Backend& backend = Connected();
    Sent(sql);
    backend.Execute(sql);
    return true;
  });
}

void CDataBase::ExecuteArray(const std::string& sql, const std::vector<std::vector<Value>>& rows) {
  Trap("CDataBase.ExecuteSQL", [&] {
    statements_ += rows.size();
    Backend& backend = Connected();
    if (!rows.empty()) Sent(sql, rows.size());
    backend.ExecuteArray(sql, rows);
  });
}

std::string CDataBase::DBDate(const std::string& date) const {
  std::string day = date;
  if (day.empty()) {
    day = oper_date_;
  } else if (day.size() == 8 && day.find('/') == std::string::npos) {
    // yyyymmdd
    day = day.substr(6, 2) + "/" + day.substr(4, 2) + "/" + day.substr(0, 4);
  }
  return "CONVERT(datetime, '" + DoubleQuotes(day) + "', 103)";
}

Recordset CDataBase::ExecSPRs(const std::string& procedure) {
  return Trap("CDataBase.ExecSPRs", [&] {
    ++statements_;
    Backend& backend = Connected();
    Sent(ExecText(procedure, params_));
    return backend.CallProcedure(procedure, params_);
  });
}

void CDataBase::AddParamSP(const std::string& name, std::int32_t type, std::int32_t direction,
                           std::int32_t size, const Value& value) {
  Trap("CDataBase.AddParamSP", [&] {
    params_.push_back(ProcedureParam{name, type, direction, size, value});
  });
}

}  // namespace tipolaria
