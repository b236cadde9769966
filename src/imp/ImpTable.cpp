#include "imp/ImpTable.hpp"

#include <charconv>
#include <map>
#include <vector>

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
  // Each field whose value is not blank is deleted from the page and written
  // again; a blank value keeps the row an earlier save left, and the value
  // stored is the untrimmed one. A field given twice ends with its last
  // value, so the page goes as one array of deletes and one of inserts, each
  // a single request to a server across a network, whatever the number of
  // fields: the same rows as a delete and an insert for every field in turn.
  // The delete compares the page as quoted text, the insert writes it as a
  // number, as the page's statements always have.
  std::int64_t number = 0;
  const auto [end, ec] =
      std::from_chars(page_literal.data(), page_literal.data() + page_literal.size(), number);
  const Value page = ec == std::errc() && end == page_literal.data() + page_literal.size()
                         ? Value(number)
                         : Value(page_literal);
  std::vector<std::vector<Value>> keys;
  std::vector<std::vector<Value>> rows;
  std::map<std::string, std::size_t> row_of_field;
  for (const CImp& field : fields) {
    if (Trim(field.Valor).empty()) continue;
    // A NUL never reaches IMP, as DoubleQuotes keeps it out of every value
    // written into a statement.
    std::string valor = field.Valor;
    std::erase(valor, '\0');
    const std::string campo = "c" + field.Posicion;
    // Field names compare as the database compares them, without regard to case.
    const auto [at, added] = row_of_field.emplace(UCase(campo), rows.size());
    if (!added) {
      // The last spelling and value, as the last delete and insert leave them.
      rows[at->second][1] = Value(campo);
      rows[at->second][2] = Value(valor);
      continue;
    }
    keys.push_back({Value(page_literal), Value(campo)});
    rows.push_back({page, Value(campo), Value(valor)});
  }
  RunInTransaction(db, [&] {
    db.ExecuteArray("DELETE FROM imp WHERE NRO_HOJA = ? and TIPO = 0 AND NRO_CAMPO = ?", keys);
    db.ExecuteArray("INSERT INTO imp ( NRO_HOJA, TIPO, NRO_CAMPO, Valor) VALUES(?, 0, ?,?)", rows);
  });
}

}  // namespace tipolaria
