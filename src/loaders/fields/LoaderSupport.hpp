// What the page loaders share around their field loaders: the error source
// of the cover and the item pages, and the check that a loader was given its
// database (the continuation pages' loader's too).
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
// runtime's "object variable not set" error (91).
CDataBase& RequireDatabase(CDataBase* db);

}  // namespace tipolaria::detail

#endif  // TIPOLARIA_LOADERS_FIELDS_LOADERSUPPORT_HPP_
