#include "common/Catalogo.hpp"

#include "common/UtilFnc.hpp"
#include "data/Recordset.hpp"

namespace tipolaria {

std::string DameCodigoDoc(CDataBase& db, std::int16_t n) {
  const std::string cdocint = db.PtrCNat("CODDOC", n);
  // DOC names its effective-date column DDOCINI, unlike the other dated
  // tables, whose columns end in EFF.
  Recordset rs;
  if (!db.ValidaRef("DOC", "CDOCINT", cdocint, db.OperDate(), "DDOCINI", "DDOCFIN", rs)) return {};
  return ValorTexto(rs.Field("CDOC"));
}

std::string DameCodigoDoc1(CDataBase& db) { return DameCodigoDoc(db, 1); }
std::string DameCodigoDoc2(CDataBase& db) { return DameCodigoDoc(db, 2); }
std::string DameCodigoDoc4(CDataBase& db) { return DameCodigoDoc(db, 4); }
std::string DameCodigoDoc5(CDataBase& db) { return DameCodigoDoc(db, 5); }
std::string DameCodigoDoc6(CDataBase& db) { return DameCodigoDoc(db, 6); }

}  // namespace tipolaria
