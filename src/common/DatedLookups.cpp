#include "common/DatedLookups.hpp"

#include "common/UtilFnc.hpp"
#include "data/Recordset.hpp"

namespace tipolaria {

bool BuscarVigente(CDataBase& db, const DatedTable& table, const std::string& code,
                   std::string& value) {
  Recordset rs;
  const bool found =
      db.ValidaRef(table.table, table.key, code, db.OperDate(), table.from, table.to, rs);
  if (found) value = ValorTexto(rs.Field(table.value));
  rs.Close();
  return found;
}

std::string DescripcionVigente(CDataBase& db, const DatedTable& table, const std::string& code) {
  std::string value;
  BuscarVigente(db, table, code, value);
  return value;
}

}  // namespace tipolaria
