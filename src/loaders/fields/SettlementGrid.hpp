// The tax settlement grid shared by the cover and the item pages. Each grid
// row spans six fields r .. r+5 from r = 71: item coefficient, item type,
// item amount, concept, declaration type, declaration amount. The
// declaration level (cover only) fills the concepts and records each in the
// settlement index, an entry being the tax code padded to kAnchoCodigo
// characters followed by the concept's field number; the item level puts an
// item's values beside the concept of the same tax.
#ifndef TIPOLARIA_LOADERS_FIELDS_SETTLEMENTGRID_HPP_
#define TIPOLARIA_LOADERS_FIELDS_SETTLEMENTGRID_HPP_

#include <cstdint>
#include <string>

namespace tipolaria::detail {

inline constexpr const char* kMontoLiquidacion = "#,##0.00";
// Index entries: the tax code padded to this width, then the field number.
inline constexpr std::int32_t kAnchoCodigo = 10;

// The label of a settlement field: a prefix and the field number.
inline std::string NombreCampo(const char* prefijo, int campo) {
  return prefijo + std::to_string(campo);
}

}  // namespace tipolaria::detail

#endif  // TIPOLARIA_LOADERS_FIELDS_SETTLEMENTGRID_HPP_
