#include "reports/SubItemLaser.hpp"

#include <cstdint>
#include <utility>

#include "reports/LaserLayouts.hpp"
#include "runtime/Trap.hpp"

namespace tipolaria {

SubItemLaser::SubItemLaser(CDataBase& db, PrintRange range)
    : LaserReport(SubItemLaserLayout(), db, std::move(range)) {}

void SubItemLaser::Initialize() {
  // CaratulaHojas + 1 is 16-bit arithmetic in the driver: it overflows
  // rather than wraps.
  const int after_cover = range().caratula_hojas + 1;
  if (after_cover > INT16_MAX) RaiseRuntimeError(kErrOverflow);
  const std::int16_t first = after_cover > range().hoja_desde
                                 ? static_cast<std::int16_t>(after_cover)
                                 : range().hoja_desde;
  OpenRows(1, first, range().hoja_hasta);
  RecordLayoutTexts();
}

bool SubItemLaser::DetailFormat() { return FillPage(/*with_barcode=*/false); }

}  // namespace tipolaria
