#include "data/CDataBase.hpp"

#include "data/ConnectionString.hpp"
#include "data/DatabaseErrors.hpp"
#include "data/SqlText.hpp"
#include "runtime/Trap.hpp"

namespace tipolaria {

CDataBase::CDataBase() : CDataBase(OpenBackend) {}

CDataBase::CDataBase(BackendOpener opener) : opener_(std::move(opener)) {}

CDataBase::~CDataBase() = default;

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
    name_ = MaskPasswords(connection_string);
    backend_ = opener_(connection_string);
    return backend_ != nullptr;
  });
}

void CDataBase::Disconnect() {
  Trap("CDataBase.Disconnect", [&] {
    Connected();
    keep_lookups_ = false;
    lookups_.clear();
    backend_.reset();
  });
}

void CDataBase::BeginTrans() {
  Trap("CDataBase.gDB.BeginTrans", [&] {
    ++statements_;
    Connected().BeginTransaction();
  });
}

void CDataBase::CommitTrans() {
  Trap("CDataBase.gDB.CommitTrans", [&] {
    ++statements_;
    Connected().CommitTransaction();
  });
}

void CDataBase::RollBackTrans() {
  Trap("CDataBase.gDB.RollBackTrans", [&] {
    ++statements_;
    Connected().RollbackTransaction();
  });
}

void CDataBase::BeginBatch() {
  Trap("CDataBase.BeginBatch", [&] {
    ++statements_;
    Connected().BeginBatch();
    keep_lookups_ = true;
  });
}

void CDataBase::EndBatch() {
  Trap("CDataBase.EndBatch", [&] {
    keep_lookups_ = false;
    lookups_.clear();
    ++statements_;
    Connected().EndBatch();
  });
}

bool CDataBase::AcquirePrintLock(std::chrono::milliseconds wait) {
  return Trap("CDataBase.AcquirePrintLock", [&] { return Connected().AcquirePrintLock(wait); });
}

void CDataBase::ReleasePrintLock() {
  Trap("CDataBase.ReleasePrintLock", [&] { Connected().ReleasePrintLock(); });
}

bool CDataBase::GetRs(const std::string& sql, Recordset& rs, std::int32_t /*option1*/,
                      std::int32_t /*option2*/) {
  return Trap("CDataBase.GetRs", [&] {
    ++statements_;
    rs = Connected().Query(sql);
    return !(rs.AtBeginning() && rs.AtEnd());
  });
}

bool CDataBase::ExecuteSQL(const std::string& sql) {
  return Trap("CDataBase.ExecuteSQL", [&] {
    ++statements_;
    Connected().Execute(sql);
    return true;
  });
}

void CDataBase::ExecuteArray(const std::string& sql, const std::vector<std::vector<Value>>& rows) {
  Trap("CDataBase.ExecuteSQL", [&] {
    statements_ += rows.size();
    Connected().ExecuteArray(sql, rows);
  });
}

std::string CDataBase::DBDate(std::string& date) const {
  if (date.empty()) {
    date = oper_date_;
  } else if (date.size() == 8 && date.find('/') == std::string::npos) {
    // yyyymmdd, rewritten as dd/mm/yyyy for the caller too
    date = date.substr(6, 2) + "/" + date.substr(4, 2) + "/" + date.substr(0, 4);
  }
  return "CONVERT(datetime, '" + DoubleQuotes(date) + "', 103)";
}

Recordset CDataBase::ExecSPRs(const std::string& procedure) {
  return Trap("CDataBase.ExecSPRs", [&] {
    ++statements_;
    return Connected().CallProcedure(procedure, params_);
  });
}

void CDataBase::AddParamSP(const std::string& name, std::int32_t type, std::int32_t direction,
                           std::int32_t size, const Value& value) {
  Trap("CDataBase.AddParamSP", [&] {
    params_.push_back(ProcedureParam{name, type, direction, size, value});
  });
}

}  // namespace tipolaria
