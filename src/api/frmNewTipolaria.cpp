#include "api/frmNewTipolaria.hpp"

#include "runtime/TextMetrics.hpp"

namespace tipolaria {

void frmNewTipolaria::Load(std::int16_t hoja_desde, std::int16_t hoja_hasta) {
  if (loaded_) return;
  loaded_ = true;
  adcDesde = hoja_desde;
  adcHasta = hoja_hasta;
}

void frmNewTipolaria::Unload() {
  loaded_ = false;
  adcCopias = adcDesde = adcHasta = 0;
}

std::int32_t frmNewTipolaria::TextWidth(std::string_view text) const { return MeasureTwips(text); }

}  // namespace tipolaria
