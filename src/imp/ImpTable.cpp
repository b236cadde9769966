#include "imp/ImpTable.hpp"

#include "data/SqlText.hpp"
#include "data/Transaction.hpp"
#include "runtime/Strings.hpp"

namespace tipolaria {

void ClearImpTable(CDataBase& db) { db.ExecuteSQL("TRUNCATE TABLE IMP"); }

void InsertImpRow(CDataBase& db, std::int32_t page, std::int16_t tipo, const std::string& field,
                  const std::string& value) {
  if (value.empty()) return;
  db.ExecuteSQL("INSERT INTO IMP (nro_hoja, tipo, NRO_CAMPO, valor) VALUES (" +
                std::to_string(page) + ", " + std::to_string(tipo) + ", 'c" + DoubleQuotes(field) +
                "', '" + DoubleQuotes(value) + "')");
}

void InsertImpPageRow(CDataBase& db, const std::string& page_literal, std::int16_t tipo,
                      const std::string& field, const std::string& value) {
  db.ExecuteSQL("INSERT INTO imp ( NRO_HOJA, TIPO, NRO_CAMPO, Valor) VALUES(" + page_literal +
                ", " + std::to_string(tipo) + ", 'c" + DoubleQuotes(field) + "','" +
                DoubleQuotes(value) + "')");
}

Recordset ReadImpTable(CDataBase& db) {
  Recordset rows;
  db.GetRs("SELECT * FROM IMP ORDER BY TIPO, NRO_HOJA", rows);
  return rows;
}

Recordset NoImpRows() { return Recordset({"NRO_HOJA", "TIPO", "NRO_CAMPO", "VALOR"}, {}); }

void SaveImpPage(CDataBase& db, const CColImp& fields, const std::string& page_literal) {
  RunInTransaction(db, [&] {
    for (const CImp& field : fields) {
      // A blank value keeps the row an earlier save left; the value stored is
      // the untrimmed one.
      if (Trim(field.Valor).empty()) continue;
      db.ExecuteSQL("DELETE FROM imp WHERE NRO_HOJA = '" + DoubleQuotes(page_literal) +
                    "' and TIPO = 0 AND NRO_CAMPO = 'c" + DoubleQuotes(field.Posicion) + "'");
      InsertImpPageRow(db, page_literal, 0, field.Posicion, field.Valor);
    }
  });
}

}  // namespace tipolaria
