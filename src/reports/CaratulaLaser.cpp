#include "reports/CaratulaLaser.hpp"

#include <utility>

#include "reports/LaserLayouts.hpp"

namespace tipolaria {

CaratulaLaser::CaratulaLaser(CDataBase& db, PrintRange range)
    : LaserReport(CaratulaLaserLayout(), db, std::move(range)) {}

void CaratulaLaser::Initialize() {
  OpenRows(0, range().hoja_desde, range().hoja_hasta);
  RecordLayoutTexts();
}

bool CaratulaLaser::DetailFormat() {
  // A range that starts after the cover and item pages has nothing for
  // this layout.
  if (range().caratula_hojas < range().hoja_desde) return false;
  return FillPage(/*with_barcode=*/true);
}

}  // namespace tipolaria
