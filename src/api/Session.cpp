// The life cycle and the settings of a session.
#include "tipolaria/session.hpp"

#include <chrono>
#include <cstdio>
#include <ctime>

#include "api/SessionState.hpp"
#include "reports/PendingFiles.hpp"
#include "runtime/Trap.hpp"
#include "runtime/Value.hpp"

namespace tipolaria {

using detail::RequireDriver;

namespace {

// Today as dd/mm/yyyy, in the machine's local time.
std::string Today() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  char text[40];
  std::snprintf(text, sizeof text, "%02d/%02d/%04d", local.tm_mday, local.tm_mon + 1,
                local.tm_year + 1900);
  return text;
}

}  // namespace

namespace detail {

SessionState& StateOf(Session& session) { return *session.state_; }

}  // namespace detail

Session::Session() : state_(std::make_unique<detail::SessionState>()) {}

Session::Session(const std::string& ConectionString) : Session() { Init(ConectionString); }

Session::~Session() = default;

bool Session::Init(const std::string& ConectionString) {
  detail::SessionState& state = *state_;
  try {
    return Trap("Init", [&] {
      state.snapshot.reset();
      state.gDataBase.reset();  // the previous connection goes first
      state.gDataBase = std::make_unique<CDataBase>();
      state.gDriver = std::make_unique<CTipolaria>();
      state.gDataBase->SetOperDate(Today());
      state.gDataBase->SetRequestLog(state.settings.sql_log);
      state.gDataBase->OpenDB(ConectionString);
      return true;
    });
  } catch (...) {
    state.gDataBase.reset();
    state.gDriver.reset();
    throw;
  }
}

bool Session::CleanIMP() {
  return Trap("CleanIMP", [&] {
    state_->gDriver = std::make_unique<CTipolaria>();
    state_->snapshot.reset();
    return true;
  });
}

bool Session::Finalize() {
  return Trap("Finalize", [&] {
    state_->snapshot.reset();
    state_->gDataBase.reset();
    state_->gDriver.reset();
    return true;
  });
}

void Session::SetHojaDesde(std::int16_t value) { state_->HojaDesde = value; }
void Session::SetHojaHasta(std::int16_t value) { state_->HojaHasta = value; }
std::string Session::GetHojaDesde() { return std::to_string(state_->HojaDesde); }
std::string Session::GetHojaHasta() { return std::to_string(state_->HojaHasta); }

void Session::SetCopias(std::int16_t value) { RequireDriver(*state_, "SetCopias").Copias = value; }
std::string Session::GetCopias() {
  return std::to_string(RequireDriver(*state_, "GetCopias").Copias);
}

void Session::SetCaratulaHojas(std::int16_t value) {
  RequireDriver(*state_, "SetCaratulaHojas").CaratulaHojas = value;
}
std::string Session::GetCaratulaHojas() {
  return std::to_string(RequireDriver(*state_, "GetCaratulaHojas").CaratulaHojas);
}

void Session::SetReferenciaCliente(const std::string& value) {
  RequireDriver(*state_, "SetReferenciaCliente").ReferenciaCliente = value;
}
std::string Session::GetReferenciaCliente() {
  return RequireDriver(*state_, "GetReferenciaCliente").ReferenciaCliente;
}

void Session::SetLogo(const std::string& png_path) { state_->settings.logo_png = png_path; }

void Session::SetLockTimeout(std::int32_t seconds) {
  if (seconds < 0) {
    throw ComError(kErrInvalidProcedureCall, "SetLockTimeout",
                   "Invalid lock time-out " + std::to_string(seconds) +
                       ": expected a number of seconds, 0 or more");
  }
  state_->settings.lock_timeout = std::chrono::seconds(seconds);
}

void Session::SetLockWaitNotice(LockWaitNotice notice) {
  state_->settings.lock_wait_notice = std::move(notice);
}

void Session::SetSqlLog(const std::string& path) {
  Trap("SetSqlLog", [&] {
    detail::SessionState& state = *state_;
    state.settings.sql_log = path.empty() ? nullptr : std::make_shared<RequestLog>(path);
    if (state.gDataBase) state.gDataBase->SetRequestLog(state.settings.sql_log);
  });
}

void Session::SetPictureFolder(const std::string& folder) {
  state_->settings.picture_folder = folder;
}

void Session::SetOperDate(const std::string& date) {
  if (!state_->gDataBase) detail::RaiseNotInitialized("SetOperDate");
  // A date the database cannot read would fail every dated lookup later, far
  // from its cause: refuse it here.
  if (date.size() != 10 || !DateTime::ParseDmy(date)) {
    throw ComError(kErrInvalidProcedureCall, "SetOperDate",
                   "Invalid operation date \"" + date + "\": expected a day as dd/mm/yyyy");
  }
  state_->gDataBase->SetOperDate(date);
}

std::optional<ComError> Session::GetLastFailure() const { return state_->last_failure; }

Session::Pages Session::GetPages() const {
  const auto& driver = state_->gDriver;
  if (!driver) return {};
  return {driver->CaratulaHojas, driver->TotalHojas};
}

void RemoveUnfinishedPrintFiles() noexcept { PendingFiles::RemoveAll(); }

}  // namespace tipolaria
