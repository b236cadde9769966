#include "common/TipoDest.hpp"

#include "common/UtilFnc.hpp"
#include "data/Recordset.hpp"
#include "data/SqlText.hpp"

namespace tipolaria {

bool DameOrganismo(CDataBase& db, const std::string& status, std::string& date,
                   std::string& organism) {
  Recordset rs;
  if (!db.ValidaRef("STA", "ISTA", status, date, "DSTAEFF", "DSTAFIN", rs)) return false;

  const std::string entity = ValorTexto(rs.Field("CSTAENT"));
  if (db.NatPtr("TABON", entity) != 1) {
    organism.clear();
    return false;
  }
  const std::string code = ValorTexto(rs.Field("CSTAORG"));
  rs.Close();
  if (code.empty()) {
    organism.clear();
    return false;
  }
  // An empty organism on entry means the caller wants only the answer.
  if (!organism.empty()) {
    organism = code;
    Recordset org;
    if (db.GetRs("Select LAGE from ORG where CAGE = '" + DoubleQuotes(code) + "'", org)) {
      // A Null name prints as nothing rather than failing the whole section.
      organism = ValorTexto(org.Field("LAGE"));
    } else {
      organism.clear();
    }
  }
  return true;
}

}  // namespace tipolaria
