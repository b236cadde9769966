// Normalising the print range before a generation or a print.
#include "api/SessionState.hpp"
#include "runtime/Convert.hpp"
#include "runtime/Trap.hpp"
#include "tipolaria/session.hpp"

namespace tipolaria {

bool Session::InitializePagesData() {
  return Trap("InitializePagesData", [&] {
    detail::SessionState& state = *state_;
    if (!detail::IsInitialized(state)) detail::RaiseNotInitialized("InitializePagesData");
    CTipolaria& driver = *state.gDriver;
    if (driver.Copias == 0) driver.Copias = 1;
    // The clamping is one-sided on purpose: a last page beyond the count and
    // negative pages stay as the host set them.
    const std::int32_t total = driver.TotalHojas;
    if (state.HojaDesde > total || state.HojaDesde == 0) state.HojaDesde = 1;
    if (state.HojaHasta == 0) state.HojaHasta = 1;
    if (state.HojaDesde > state.HojaHasta) state.HojaHasta = CheckedPageNumber(driver.TotalHojas);
    if (driver.CaratulaHojas == 0) driver.CaratulaHojas = 1;
    state.form.Load();
    driver.NumeroCopias = driver.Copias;
    return true;
  });
}

}  // namespace tipolaria
