// The reference lookups of the cover: codes of the declaration turned into
// the descriptions valid on the operation date. A row of a dated code table
// is valid from its start date (inclusive) to its end date (exclusive);
// a code without a valid row gives the loader's placeholder, never an error.
#include "common/UtilFnc.hpp"
#include "data/SqlText.hpp"
#include "loaders/cover/CImpCaratula.hpp"
#include "loaders/cover/CoverText.hpp"
#include "runtime/Trap.hpp"

namespace tipolaria {
namespace {

struct TablaFechada {
  const char* tabla;
  const char* clave;
  const char* desde;
  const char* hasta;
  const char* valor;
};

constexpr TablaFechada kPais{"PAY", "CPAY", "DPAYEFF", "DPAYFIN", "lpayabr"};
constexpr TablaFechada kAduana{"BUR", "CBUR", "DBUREFF", "DBURFIN", "lbur"};
constexpr TablaFechada kDivisa{"DEV", "CDEV", "DDEVEFF", "DDEVFIN", "cdevr"};
constexpr TablaFechada kEmbalaje{"NEB", "tnebnatemb", "dnebeff", "dnebfin", "lnebnatemb"};
constexpr TablaFechada kUnidad{"UMM", "CUMMUNTMSR", "DUMMEFF", "DUMMFIN", "lummuntmsr"};

bool Buscar(CDataBase& db, const TablaFechada& t, const std::string& codigo, std::string& valor) {
  std::string fecha = db.OperDate();
  Recordset rs;
  const bool found = db.ValidaRef(t.tabla, t.clave, codigo, fecha, t.desde, t.hasta, rs);
  if (found) valor = detail::Texto(rs, t.valor);
  rs.Close();
  return found;
}

}  // namespace

bool CImpCaratula::BuscarPais(const std::string& codigo, std::string& valor) {
  return Buscar(Db(), kPais, codigo, valor);
}

bool CImpCaratula::BuscarAduana(const std::string& codigo, std::string& valor) {
  return Buscar(Db(), kAduana, codigo, valor);
}

bool CImpCaratula::BuscarDivisa(const std::string& codigo, std::string& valor) {
  return Buscar(Db(), kDivisa, codigo, valor);
}

bool CImpCaratula::BuscarEmbalaje(const std::string& codigo, std::string& valor) {
  return Buscar(Db(), kEmbalaje, codigo, valor);
}

bool CImpCaratula::BuscarUnidad(const std::string& codigo, std::string& valor) {
  return Buscar(Db(), kUnidad, codigo, valor);
}

bool CImpCaratula::BuscarDeposito(const std::string& aduana, const std::string& deposito,
                                  std::string& valor) {
  CDataBase& db = Db();
  std::string fecha = db.OperDate();
  Recordset rs;
  const bool found = db.ValidaRefCompuestos("MAG", "CMAGCODBUR", aduana, "CMAG", deposito, fecha,
                                            "DMAGEFF", "DMAGFIN", rs);
  if (found) valor = detail::Texto(rs, "lmag");
  rs.Close();
  return found;
}

// The origin of an item may be a country or a province. Rows are read in
// order and each one's description taken, stopping at the first country: a
// valid country description wins over a province's.
std::string CImpCaratula::PaisOProvincia(const std::string& codigo) {
  CDataBase& db = Db();
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

void CImpCaratula::DameDescripcionDocs(std::string& factura, std::string& certificado,
                                       std::string& tercero) {
  Trap("CImpCaratula.DameDescripcionDocs", [&] {
    CDataBase& db = Db();
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
      const std::string numero = detail::Texto(rs, "APTR");
      for (Tipo& tipo : tipos) {
        if (numero != tipo.numero || tipo.leido) continue;
        *tipo.codigo = detail::Texto(rs, "CDOC");
        tipo.leido = true;
      }
    }
    rs.Close();
  });
}

}  // namespace tipolaria
