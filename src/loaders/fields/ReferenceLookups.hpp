// The reference lookups of the item fields of the cover and the item pages:
// codes of a declaration turned into the descriptions valid on the operation
// date, as the field loaders convert their column (see FieldRow). A code
// without a valid row gives the loader's placeholder, never an error. No trap
// of their own: errors reach the field loader that asked.
#ifndef TIPOLARIA_LOADERS_FIELDS_REFERENCELOOKUPS_HPP_
#define TIPOLARIA_LOADERS_FIELDS_REFERENCELOOKUPS_HPP_

#include <optional>
#include <string>

#include "data/CDataBase.hpp"

namespace tipolaria::detail {

// A country's description (empty when none is valid); a unit's (the code
// itself when none is valid).
std::optional<std::string> DescripcionPais(CDataBase& db, const std::string& codigo);
std::optional<std::string> UnidadOCodigo(CDataBase& db, const std::string& codigo);
// The origin of an item: a country or, failing that, a province.
std::optional<std::string> PaisOProvincia(CDataBase& db, const std::string& codigo);

}  // namespace tipolaria::detail

#endif  // TIPOLARIA_LOADERS_FIELDS_REFERENCELOOKUPS_HPP_
