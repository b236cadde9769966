#include "common/TipoDest.hpp"

#include <optional>

#include "common/UtilFnc.hpp"
#include "data/Recordset.hpp"
#include "data/SqlText.hpp"

namespace tipolaria {
namespace {

// The organism code of the status valid on `date`: none without a valid
// status row; empty when the status's entity is not number 1 of "TABON" or
// it names no organism.
std::optional<std::string> CodigoOrganismo(CDataBase& db, const std::string& status,
                                           const std::string& date) {
  Recordset rs;
  if (!db.ValidaRef("STA", "ISTA", status, date, "DSTAEFF", "DSTAFIN", rs)) return std::nullopt;
  if (db.NatPtr("TABON", ValorTexto(rs.Field("CSTAENT"))) != 1) return "";
  return ValorTexto(rs.Field("CSTAORG"));
}

}  // namespace

bool DameOrganismo(CDataBase& db, const std::string& status, const std::string& date) {
  const std::optional<std::string> codigo = CodigoOrganismo(db, status, date);
  return codigo && !codigo->empty();
}

bool DameOrganismo(CDataBase& db, const std::string& status, const std::string& date,
                   std::string& organism) {
  const std::optional<std::string> codigo = CodigoOrganismo(db, status, date);
  if (!codigo) return false;
  organism.clear();
  if (codigo->empty()) return false;
  Recordset org;
  if (db.GetRs("Select LAGE from ORG where CAGE = '" + DoubleQuotes(*codigo) + "'", org)) {
    // A Null name prints as nothing rather than failing the whole section.
    organism = ValorTexto(org.Field("LAGE"));
  }
  return true;
}

}  // namespace tipolaria
