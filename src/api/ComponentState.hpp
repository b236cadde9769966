// The component-wide state every CPrint object shares: the one database
// object, the one driver, the print range and the page-range form. Nothing
// else in the library is global.
//
// Names: the four variables hosts of the component know by name keep them
// (gDataBase, gDriver, HojaDesde, HojaHasta); everything this library added
// beside them is named in the house's style for plain fields (logo_png,
// lock_timeout, ...).
#ifndef TIPOLARIA_API_COMPONENTSTATE_HPP_
#define TIPOLARIA_API_COMPONENTSTATE_HPP_

#include <chrono>
#include <cstdint>
#include <memory>
#include <string>

#include "api/PrintLock.hpp"
#include "api/frmNewTipolaria.hpp"
#include "core/CTipolaria.hpp"
#include "data/CDataBase.hpp"
#include "data/Recordset.hpp"
#include "data/RequestLog.hpp"

namespace tipolaria::detail {

inline constexpr std::chrono::seconds kDefaultLockTimeout{60};

struct ComponentState {
  std::unique_ptr<CDataBase> gDataBase;
  std::unique_ptr<CTipolaria> gDriver;
  std::int16_t HojaDesde = 0;
  std::int16_t HojaHasta = 0;
  frmNewTipolaria form;  // the form's one default instance
  // What the prints draw beyond the original: the host's logo, and the
  // folder in which the command-line tool asks for page pictures.
  std::string logo_png;
  std::string png_folder;
  // The rows the session's last generation wrote into IMP, read back while
  // it still held the print lock: its prints render these, so that another
  // session generating on the same database in between never shows in
  // them. None (no generation since Init, CleanIMP or Finalize): a print
  // reads IMP, under the print lock.
  std::shared_ptr<const Recordset> snapshot;
  // How long a generation or a print waits for the print lock, and who is
  // told that it waits. Kept across Init, like the logo.
  std::chrono::milliseconds lock_timeout{kDefaultLockTimeout};
  PrintLock::Notice lock_wait_notice;
  // The statement log the host asked for, if any; kept across Init.
  std::shared_ptr<RequestLog> sql_log;
};

ComponentState& State();

// The number of the not-initialised error; the same for every member.
inline constexpr long kErrNotInitialized = -2147220991;  // an application error number
inline constexpr const char* kNotInitialized = "Primero debe inicializar la dll";

// Raises the not-initialised error with `member` as its source.
[[noreturn]] void RaiseNotInitialized(const std::string& member);
// The driver, or the not-initialised error naming `member`.
CTipolaria& RequireDriver(const std::string& member);
// True when both the database and the driver are present.
bool IsInitialized();

}  // namespace tipolaria::detail

#endif  // TIPOLARIA_API_COMPONENTSTATE_HPP_
