// The state of one print session (tipolaria::Session): what the original
// component kept in its component-wide variables, and the settings and the
// snapshot this library adds. Each session holds its own, so that sessions
// run side by side; the default session's (ComponentState.hpp) is the one
// component state that CPrint objects share.
//
// The four variables of the original keep their names (gDataBase, gDriver,
// HojaDesde, HojaHasta), so that a reader finds them as the original's
// documentation names them; what the original did not have is named in the
// house's style.
#ifndef TIPOLARIA_API_SESSIONSTATE_HPP_
#define TIPOLARIA_API_SESSIONSTATE_HPP_

#include <chrono>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "api/PrintLock.hpp"
#include "api/frmNewTipolaria.hpp"
#include "core/CTipolaria.hpp"
#include "data/CDataBase.hpp"
#include "data/Recordset.hpp"
#include "data/RequestLog.hpp"
#include "tipolaria/error.hpp"

namespace tipolaria::detail {

inline constexpr std::chrono::seconds kDefaultLockTimeout{60};

// The settings of this library beyond the original's: kept across Init and
// CleanIMP, as a host sets them once for the session's life.
struct SessionSettings {
  // The host's logo, drawn in the logo box of every page; empty: none.
  std::string logo_png;
  // The folder of the page pictures; empty: none.
  std::string picture_folder;
  // How long a generation or a print waits for the print lock, and who is
  // told that it waits.
  std::chrono::milliseconds lock_timeout{kDefaultLockTimeout};
  PrintLock::Notice lock_wait_notice;
  // The statement log the host asked for, if any.
  std::shared_ptr<RequestLog> sql_log;
};

struct SessionState {
  std::unique_ptr<CDataBase> gDataBase;
  std::unique_ptr<CTipolaria> gDriver;
  std::int16_t HojaDesde = 0;
  std::int16_t HojaHasta = 0;
  frmNewTipolaria form;  // the session's page-range form
  SessionSettings settings;
  // The rows the session's last generation wrote into IMP, read back while
  // it still held the print lock: its prints render these, so that another
  // session generating on the same database in between never shows in
  // them. None (no generation since Init, CleanIMP or Finalize): a print
  // reads IMP, under the print lock. Never shared with another session.
  std::shared_ptr<const Recordset> snapshot;
  // The error behind the last failure text of GenerateIMP or a print.
  std::optional<ComError> last_failure;
};

// The number of the not-initialised error; the same for every member.
// kErrDeclarationNotFound (tipolaria/error.hpp) is the next number.
inline constexpr long kErrNotInitialized = -2147220991;  // an application error number
inline constexpr const char* kNotInitialized = "Primero debe inicializar la dll";

// Raises the not-initialised error with `member` as its source.
[[noreturn]] void RaiseNotInitialized(const std::string& member);
// The session's driver, or the not-initialised error naming `member`.
CTipolaria& RequireDriver(SessionState& state, const std::string& member);
// True when both the database and the driver are present.
bool IsInitialized(const SessionState& state);

}  // namespace tipolaria::detail

#endif  // TIPOLARIA_API_SESSIONSTATE_HPP_
