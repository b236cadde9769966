#include "common/BatchFnc.hpp"

#include "common/UtilFnc.hpp"
#include "data/Recordset.hpp"
#include "data/SqlText.hpp"
#include "runtime/Trap.hpp"

namespace tipolaria {

std::string RecuperoDescYRotulo(CDataBase& db, bool con_descripcion, bool con_rotulo,
                                const std::string& iddt, const std::string& nart,
                                const std::string& isbt, std::string& rotulo, std::string& valor) {
  return Trap("BatchFnc.RecuperoDescYRotulo", [&] {
    std::string descripcion;
    rotulo.clear();
    valor.clear();
    const std::string key = "IDDT = '" + DoubleQuotes(iddt) + "' AND NART = '" +
                            DoubleQuotes(nart) + "' AND ISBT = '" + DoubleQuotes(isbt) + "'";
    if (con_descripcion) {
      Recordset rs;
      if (db.GetRs("SELECT * FROM KDSC WHERE " + key + " ORDER BY NDSCBLQ", rs)) {
        for (; !rs.AtEnd(); rs.MoveNext()) descripcion += ValorTexto(rs.Field("CDSCDSC"));
      }
    }
    if (con_rotulo) {
      Recordset rs;
      if (db.GetRs("SELECT * FROM RTL WHERE " + key, rs)) {
        rotulo = ValorTexto(rs.Field("CRTLROT"));
        valor = ValorTexto(rs.Field("CRTLVALOR"));
      }
    }
    return descripcion;
  });
}

}  // namespace tipolaria
