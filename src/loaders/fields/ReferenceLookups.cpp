// The reference lookups of the cover and item pages. A row of a dated code
// table is valid from its start date (inclusive) to its end date (exclusive).
#include "loaders/fields/ReferenceLookups.hpp"

#include "common/DatedLookups.hpp"
#include "common/UtilFnc.hpp"
#include "data/SqlText.hpp"
#include "loaders/fields/LoaderText.hpp"

namespace tipolaria::detail {

std::optional<std::string> DescripcionPais(CDataBase& db, const std::string& codigo) {
  return DescripcionVigente(db, kTablaPais, codigo);
}

std::optional<std::string> UnidadOCodigo(CDataBase& db, const std::string& codigo) {
  std::string valor = codigo;  // an unknown unit prints its code
  BuscarVigente(db, kTablaUnidad, codigo, valor);
  return valor;
}

// The origin of an item may be a country or a province. Rows are read in
// order and each one's description taken, stopping at the first country: a
// valid country description wins over a province's.
std::optional<std::string> PaisOProvincia(CDataBase& db, const std::string& codigo) {
  const std::string d = db.DBDate(db.OperDate());
  const std::string c = DoubleQuotes(codigo);
  Recordset rs;
  // Every item asks for its origin: the answer of one is kept for the rest.
  db.GetReference(
      "SELECT lpayabr, 'A' FROM pay"
      " WHERE cpay = '" +
          c + "'" + " AND  DPAYEFF <= " + d + " AND DPAYFIN > " + d + " UNION" +
          " SELECT lprv, 'B' FROM PRV" + " WHERE cprv = '" + c + "'" + " AND  DPRVEFF <= " + d +
          " AND DPRVFIN > " + d,
      rs);
  std::string valor;
  for (; !rs.AtEnd(); rs.MoveNext()) {
    valor = ValorTexto(rs.Field(std::size_t{0}));
    if (ValorTexto(rs.Field(std::size_t{1})) == "A") break;
  }
  rs.Close();
  return valor;
}

}  // namespace tipolaria::detail
