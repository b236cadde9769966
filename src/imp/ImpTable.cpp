#include "imp/ImpTable.hpp"

#include <charconv>
#include <map>
#include <vector>

#include "data/Transaction.hpp"
#include "runtime/Strings.hpp"

namespace tipolaria {

void ClearImpTable(CDataBase& db) { db.ExecuteSQL("TRUNCATE TABLE IMP"); }

namespace {

// A value as IMP receives it: a NUL never reaches the table, as DoubleQuotes
// keeps it out of every value written into a statement.
Value ImpText(std::string text) {
  std::erase(text, '\0');
  return Value(std::move(text));
}

}  // namespace

void InsertImpRow(CDataBase& db, std::int32_t page, std::int16_t tipo, const std::string& field,
                  const std::string& value) {
  InsertImpRows(db, {ImpRow{page, tipo, field, value}});
}

void InsertImpRows(CDataBase& db, const std::vector<ImpRow>& rows) {
  std::vector<std::vector<Value>> values;
  values.reserve(rows.size());
  for (const ImpRow& row : rows) {
    if (row.value.empty()) continue;
    values.push_back({Value(std::int64_t{row.page}), Value(std::int64_t{row.tipo}),
                      ImpText("c" + row.field), ImpText(row.value)});
  }
  db.ExecuteArray("INSERT INTO IMP (nro_hoja, tipo, NRO_CAMPO, valor) VALUES (?, ?, ?, ?)", values);
}

void InsertImpPageRows(CDataBase& db, std::int16_t tipo, const std::vector<ImpRow>& rows) {
  std::vector<std::vector<Value>> values;
  values.reserve(rows.size());
  for (const ImpRow& row : rows) {
    values.push_back({Value(std::int64_t{row.page}), ImpText("c" + row.field), ImpText(row.value)});
  }
  db.ExecuteArray("INSERT INTO imp ( NRO_HOJA, TIPO, NRO_CAMPO, Valor) VALUES(?, " +
                      std::to_string(tipo) + ", ?,?)",
                  values);
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
    const Value valor = ImpText(field.Valor);
    const std::string campo = "c" + field.Posicion;
    // Field names compare as the database compares them, without regard to case.
    const auto [at, added] = row_of_field.emplace(UCase(campo), rows.size());
    if (!added) {
      // The last spelling and value, as the last delete and insert leave them.
      rows[at->second][1] = Value(campo);
      rows[at->second][2] = valor;
      continue;
    }
    keys.push_back({Value(page_literal), Value(campo)});
    rows.push_back({page, Value(campo), valor});
  }
  RunInTransaction(db, [&] {
    db.ExecuteArray("DELETE FROM imp WHERE NRO_HOJA = ? and TIPO = 0 AND NRO_CAMPO = ?", keys);
    db.ExecuteArray("INSERT INTO imp ( NRO_HOJA, TIPO, NRO_CAMPO, Valor) VALUES(?, 0, ?,?)", rows);
  });
}

}  // namespace tipolaria
