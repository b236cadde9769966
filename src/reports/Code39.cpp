#include "reports/Code39.hpp"

#include <zint.h>

#include <memory>

namespace tipolaria {
namespace {

struct SymbolDeleter {
  void operator()(zint_symbol* symbol) const { ZBarcode_Delete(symbol); }
};
using SymbolPtr = std::unique_ptr<zint_symbol, SymbolDeleter>;

// Code 39 asks for a quiet zone of at least ten modules on each side.
constexpr double kQuietZoneModules = 10;

// Vector output of one symbology, or nothing when zint refuses the data.
BarcodeBars Encode(int symbology, std::string_view data) {
  SymbolPtr symbol(ZBarcode_Create());
  if (!symbol) return {};
  symbol->symbology = symbology;
  symbol->show_hrt = 0;
  symbol->output_options |= BARCODE_NO_QUIET_ZONES;
  const int status = ZBarcode_Encode_and_Buffer_Vector(
      symbol.get(), reinterpret_cast<const unsigned char*>(data.data()),
      static_cast<int>(data.size()), 0);
  if (status >= ZINT_ERROR || symbol->vector == nullptr || symbol->width <= 0) return {};

  // Without quiet zones the vector spans exactly the symbol's modules; the
  // quiet zones are added here so that their size does not depend on the
  // encoder's defaults.
  const zint_vector& vector = *symbol->vector;
  const double units_per_module = vector.width / symbol->width;
  BarcodeBars result;
  result.total_modules = symbol->width + 2 * kQuietZoneModules;
  for (const zint_vector_rect* rect = vector.rectangles; rect != nullptr; rect = rect->next) {
    result.bars.push_back(
        {kQuietZoneModules + rect->x / units_per_module, rect->width / units_per_module});
  }
  return result;
}

}  // namespace

BarcodeBars Code39Bars(std::string_view data) {
  if (data.empty()) return {};
  BarcodeBars bars = Encode(BARCODE_CODE39, data);
  if (bars.empty()) bars = Encode(BARCODE_EXCODE39, data);
  return bars;
}

}  // namespace tipolaria
