// The life cycle and the settings of the public class.
#include "tipolaria/cprint.hpp"

#include <chrono>
#include <cstdio>
#include <ctime>

#include "api/ComponentState.hpp"
#include "runtime/Trap.hpp"
#include "runtime/Value.hpp"

namespace tipolaria {

using detail::RequireDriver;
using detail::State;

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

bool CPrint::Init(const std::string& ConectionString) {
  auto& state = State();
  try {
    return Trap("Init", [&] {
      state.snapshot.reset();
      state.gDataBase.reset();  // the previous connection goes first
      state.gDataBase = std::make_unique<CDataBase>();
      state.gDriver = std::make_unique<CTipolaria>();
      state.gDataBase->SetOperDate(Today());
      state.gDataBase->SetRequestLog(state.sql_log);
      state.gDataBase->OpenDB(ConectionString);
      return true;
    });
  } catch (...) {
    state.gDataBase.reset();
    state.gDriver.reset();
    throw;
  }
}

bool CPrint::CleanIMP() {
  return Trap("CleanIMP", [&] {
    State().gDriver = std::make_unique<CTipolaria>();
    State().snapshot.reset();
    return true;
  });
}

bool CPrint::Finalize() {
  return Trap("Finalize", [&] {
    State().snapshot.reset();
    State().gDataBase.reset();
    State().gDriver.reset();
    return true;
  });
}

void CPrint::SetHojaDesde(std::int16_t value) { State().HojaDesde = value; }
void CPrint::SetHojaHasta(std::int16_t value) { State().HojaHasta = value; }
std::string CPrint::GetHojaDesde() { return std::to_string(State().HojaDesde); }
std::string CPrint::GetHojaHasta() { return std::to_string(State().HojaHasta); }

void CPrint::SetCopias(std::int16_t value) { RequireDriver("SetCopias").Copias = value; }
std::string CPrint::GetCopias() { return std::to_string(RequireDriver("GetCopias").Copias); }

void CPrint::SetCaratulaHojas(std::int16_t value) {
  RequireDriver("SetCaratulaHojas").CaratulaHojas = value;
}
std::string CPrint::GetCaratulaHojas() {
  return std::to_string(RequireDriver("GetCaratulaHojas").CaratulaHojas);
}

void CPrint::SetReferenciaCliente(const std::string& value) {
  RequireDriver("SetReferenciaCliente").ReferenciaCliente = value;
}
std::string CPrint::GetReferenciaCliente() {
  return RequireDriver("GetReferenciaCliente").ReferenciaCliente;
}

void CPrint::SetLockTimeout(std::int32_t seconds) {
  if (seconds < 0) {
    throw ComError(kErrInvalidProcedureCall, "SetLockTimeout",
                   "Invalid lock time-out " + std::to_string(seconds) +
                       ": expected a number of seconds, 0 or more");
  }
  State().lock_timeout = std::chrono::seconds(seconds);
}

void CPrint::SetSqlLog(const std::string& path) {
  Trap("SetSqlLog", [&] {
    auto& state = State();
    state.sql_log = path.empty() ? nullptr : std::make_shared<RequestLog>(path);
    if (state.gDataBase) state.gDataBase->SetRequestLog(state.sql_log);
  });
}

void CPrint::SetOperDate(const std::string& date) {
  if (!State().gDataBase) detail::RaiseNotInitialized("SetOperDate");
  // A date the database cannot read would fail every dated lookup later, far
  // from its cause: refuse it here.
  if (date.size() != 10 || !DateTime::ParseDmy(date)) {
    throw ComError(kErrInvalidProcedureCall, "SetOperDate",
                   "Invalid operation date \"" + date + "\": expected a day as dd/mm/yyyy");
  }
  State().gDataBase->SetOperDate(date);
}

}  // namespace tipolaria
