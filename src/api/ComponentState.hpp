// The component-wide state every CPrint object shares: the one database
// object, the one driver, the print range and the page-range form. Nothing
// else in the library is global.
#ifndef TIPOLARIA_API_COMPONENTSTATE_HPP_
#define TIPOLARIA_API_COMPONENTSTATE_HPP_

#include <cstdint>
#include <memory>
#include <string>

#include "api/frmNewTipolaria.hpp"
#include "core/CTipolaria.hpp"
#include "data/CDataBase.hpp"

namespace tipolaria::detail {

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
