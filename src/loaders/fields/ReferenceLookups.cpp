// The reference lookups of the cover and item pages. A row of a dated code
// table is valid from its start date (inclusive) to its end date (exclusive).
#include "loaders/fields/ReferenceLookups.hpp"

#include "common/DatedLookups.hpp"
#include "common/UtilFnc.hpp"
#include "data/SqlText.hpp"
#include "loaders/fields/LoaderSupport.hpp"
#include "loaders/fields/LoaderText.hpp"

namespace tipolaria::detail {

bool BuscarPais(CDataBase& db, const std::string& codigo, std::string& valor) {
  return BuscarVigente(db, kTablaPais, codigo, valor);
}

bool BuscarAduana(CDataBase& db, const std::string& codigo, std::string& valor) {
  return BuscarVigente(db, kTablaAduana, codigo, valor);
}

bool BuscarDivisa(CDataBase& db, const std::string& codigo, std::string& valor) {
  return BuscarVigente(db, kTablaDivisa, codigo, valor);
}

bool BuscarEmbalaje(CDataBase& db, const std::string& codigo, std::string& valor) {
  return BuscarVigente(db, kTablaEmbalaje, codigo, valor);
}

bool BuscarUnidad(CDataBase& db, const std::string& codigo, std::string& valor) {
  return BuscarVigente(db, kTablaUnidad, codigo, valor);
}

bool BuscarDeposito(CDataBase& db, const std::string& aduana, const std::string& deposito,
                    std::string& valor) {
  std::string fecha = db.OperDate();
  Recordset rs;
  const bool found = db.ValidaRefCompuestos("MAG", "CMAGCODBUR", aduana, "CMAG", deposito, fecha,
                                            "DMAGEFF", "DMAGFIN", rs);
  if (found) valor = Texto(rs, "lmag");
  rs.Close();
  return found;
}

// The origin of an item may be a country or a province. Rows are read in
// order and each one's description taken, stopping at the first country: a
// valid country description wins over a province's.
std::string PaisOProvincia(CDataBase& db, const std::string& codigo) {
  std::string fecha = db.OperDate();
  const std::string d = db.DBDate(fecha);
  const std::string c = DoubleQuotes(codigo);
  Recordset rs;
  db.GetRs(
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

void DameDescripcionDocs(CDataBase& db, std::string& factura, std::string& certificado,
                         std::string& tercero) {
  TrapCaratula("DameDescripcionDocs", [&] {
    std::string fecha = db.OperDate();
    const std::string d = db.DBDate(fecha);
    Recordset rs;
    db.GetRs(
        "SELECT CDOC, APTR FROM DOC, PTR"
        " Where CDOCINT = CPTRNAT"
        " AND DDOCINI <= " +
            d + " AND DDOCFIN > " + d + " AND CTPT = 'CODDOC'" + " AND APTR in (1, 4, 5)" +
            " ORDER BY APTR",
        rs);
    // Each code is taken from the row of its document number (1, 4, 5), the
    // first such row when several are valid. A kind without a valid document
    // leaves its code empty instead of ending the load, and never shifts the
    // codes of the other kinds: the cover then prints the documents it can.
    struct Tipo {
      const char* numero;
      std::string* codigo;
      bool leido;
    } tipos[] = {{"1", &factura, false}, {"4", &certificado, false}, {"5", &tercero, false}};
    for (; !rs.AtEnd(); rs.MoveNext()) {
      const std::string numero = Texto(rs, "APTR");
      for (Tipo& tipo : tipos) {
        if (numero != tipo.numero || tipo.leido) continue;
        *tipo.codigo = Texto(rs, "CDOC");
        tipo.leido = true;
      }
    }
    rs.Close();
  });
}

}  // namespace tipolaria::detail
