#include "serve/WorkerSession.hpp"

#include "api/ComponentState.hpp"
#include "api/ImpSnapshot.hpp"
#include "data/CDataBase.hpp"
#include "data/ConnectionString.hpp"
#include "data/SchemaCheck.hpp"

namespace tipolaria::serve {

WorkerSession::WorkerSession(const SessionConfig& config) {
  print_.SetLockTimeout(config.lock_timeout);
  print_.SetLogo(config.logo);
  if (!config.sql_log.empty()) print_.SetSqlLog(config.sql_log);
  auto on_lock_wait = config.on_lock_wait;
  detail::State().lock_wait_notice = [on_lock_wait](const std::string&) {
    if (on_lock_wait) on_lock_wait();
  };
  print_.Init(config.connection);
}

WorkerSession::~WorkerSession() {
  try {
    print_.Finalize();
  } catch (...) {
  }
}

bool WorkerSession::RunsInParallel() { return false; }

void WorkerSession::Reset() {
  print_.CleanIMP();
  print_.SetHojaDesde(0);
  print_.SetHojaHasta(0);
}

void WorkerSession::SetCopias(std::int16_t copias) { print_.SetCopias(copias); }

void WorkerSession::SetReferenciaCliente(const std::string& referencia) {
  print_.SetReferenciaCliente(referencia);
}

void WorkerSession::SetOperDate(const std::string& date) { print_.SetOperDate(date); }

std::string WorkerSession::GenerateIMP(const std::string& nombre_despachante,
                                       const std::string& iddtext, const std::string& idorig,
                                       const std::string& fecofi, std::int16_t oper,
                                       const std::string& canal, const std::string& ramo,
                                       const std::string& morado, const std::string& org,
                                       const std::string& eta) {
  return print_.GenerateIMP(nombre_despachante, iddtext, idorig, fecofi, oper, canal, ramo, morado,
                            org, eta);
}

DeclarationPages WorkerSession::Pages() {
  const detail::SessionPages pages = detail::CurrentPages();
  return {pages.caratula_hojas, pages.total_hojas};
}

void WorkerSession::SetRange(std::int16_t desde, std::int16_t hasta) {
  print_.SetHojaDesde(desde);
  print_.SetHojaHasta(hasta);
}

void WorkerSession::SetPictureFolder(const std::string& folder) {
  detail::State().png_folder = folder;
}

std::string WorkerSession::PrintPDFCaratula(const std::string& path) {
  return print_.PrintPDFCaratula(path);
}

std::string WorkerSession::PrintPDFSubItems(const std::string& path) {
  return print_.PrintPDFSubItems(path);
}

std::string CheckDatabase(const std::string& connection) {
  try {
    CDataBase db;
    db.OpenDB(connection);
    const std::vector<std::string> missing = MissingSchemaTables(db);
    if (missing.empty()) return {};
    return "The database \"" + MaskPasswords(connection) + "\" lacks " +
           std::to_string(missing.size()) + " tables of the customs database, such as " +
           missing.front();
  } catch (const ComError& e) {
    return e.description();
  }
}

}  // namespace tipolaria::serve

namespace tipolaria::serve {

std::string DatabaseName(const std::string& connection) { return MaskPasswords(connection); }

}  // namespace tipolaria::serve
