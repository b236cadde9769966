// What the loaders of the cover and of the item pages share around their
// field loaders: the error source they report and the database they need.
//
// Both pages report their procedures under the cover class's name
// (" - CImpCaratula.CargarDatosItem" on an item page too), as hosts have
// always seen them; the name is produced here only, so the two cannot drift.
#ifndef TIPOLARIA_LOADERS_FIELDS_LOADERSUPPORT_HPP_
#define TIPOLARIA_LOADERS_FIELDS_LOADERSUPPORT_HPP_

#include <string>
#include <string_view>
#include <utility>

#include "data/CDataBase.hpp"
#include "runtime/Trap.hpp"

namespace tipolaria::detail {

// Runs a field loader's body under the error trap named "CImpCaratula." +
// `procedure`.
template <typename Body>
decltype(auto) TrapCaratula(std::string_view procedure, Body&& body) {
  return Trap("CImpCaratula." + std::string(procedure), std::forward<Body>(body));
}

// The loader's database; a loader used before BaseDeDatos raises the
// runtime's "object variable not set" error.
CDataBase& RequireDatabase(CDataBase* db);

}  // namespace tipolaria::detail

#endif  // TIPOLARIA_LOADERS_FIELDS_LOADERSUPPORT_HPP_
