#include "imp/PageFields.hpp"

#include "imp/ImpTable.hpp"

namespace tipolaria {

void PageFields::Guardar(CDataBase& db, std::int32_t page) const {
  SaveImpPage(db, campos_, std::to_string(page));
}

}  // namespace tipolaria
