// The footer fields shared by the cover and the item pages.
#ifndef TIPOLARIA_LOADERS_FIELDS_FOOTERFIELDS_HPP_
#define TIPOLARIA_LOADERS_FIELDS_FOOTERFIELDS_HPP_

#include <cstdint>
#include <string>

#include "data/CDataBase.hpp"
#include "data/Recordset.hpp"
#include "imp/PageFields.hpp"

namespace tipolaria::detail {

// The footer of a page of type 0 from the declaration's header row: the
// assigned channel (143, not for a provisional print), the heading line
// (144) and, with `totales_declaracion` (the cover), the declaration's
// paid, guaranteed and to-collect totals (137 to 139). Traps as
// "CImpCaratula.CargarPie".
void CargarPie(CDataBase& db, PageFields& page, const Recordset& header, std::int16_t oper,
               const std::string& canal, const std::string& morado, const std::string& rotulo,
               const std::string& ramo, const std::string& fecofi, bool totales_declaracion);

}  // namespace tipolaria::detail

#endif  // TIPOLARIA_LOADERS_FIELDS_FOOTERFIELDS_HPP_
