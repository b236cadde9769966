#include "imp/ImpTable.hpp"

#include <charconv>
#include <map>
#include <vector>

#include "data/Transaction.hpp"
#include "runtime/Convert.hpp"
#include "runtime/Strings.hpp"
#include "runtime/Utf8.hpp"
#include "tipolaria/error.hpp"

namespace tipolaria {

void ClearImpTable(CDataBase& db) { db.ExecuteSQL("TRUNCATE TABLE IMP"); }

namespace {

// A value as IMP receives it: a NUL never reaches the table, as DoubleQuotes
// keeps it out of every value written into a statement.
Value ImpText(std::string text) {
  std::erase(text, '\0');
  return Value(std::move(text));
}

// Runs an array of IMP rows whose values stand in column `value_column`
// (the page in 0, the field just before the value). A broker's own IMP may
// have a VALOR narrower than a value (a long continuation text): the server
// refuses the row ("String or binary data would be truncated", SQLSTATE
// 22001) without saying which. The error then names the first value too
// long for the column, its field, page and length, and the column's width.
void WriteImpArray(CDataBase& db, const std::string& sql,
                   const std::vector<std::vector<Value>>& rows, std::size_t value_column) {
  try {
    db.ExecuteArray(sql, rows);
  } catch (const ComError& e) {
    if (e.description().find("SQLSTATE 22001") == std::string::npos) throw;
    std::int64_t width = -1;
    try {
      Recordset rs;
      if (db.GetRs("SELECT COL_LENGTH('IMP', 'VALOR') AS width", rs)) {
        const Value& w = rs.Field(std::size_t{0});
        if (w.kind() == Value::Kind::kInteger) width = w.AsInteger();
      }
    } catch (const ComError&) {
      // The width stays untold; the value's length is still said.
    }
    for (const std::vector<Value>& row : rows) {
      const std::size_t length = CharCount(row[value_column].AsText());
      if (width >= 0 && static_cast<std::int64_t>(length) <= width) continue;
      throw ComError(
          e.number(), e.source(),
          "The value of field " + row[value_column - 1].AsText() + " of page " +
              ValueToText(row[0]) + " is " + std::to_string(length) +
              " characters long and IMP.VALOR holds " +
              (width >= 0 ? "at most " + std::to_string(width) : "fewer") +
              ": make the column varchar(max), as db/sqlserver/01-tables.sql creates it. " +
              e.description());
    }
    throw;
  }
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
  WriteImpArray(db, "INSERT INTO IMP (nro_hoja, tipo, NRO_CAMPO, valor) VALUES (?, ?, ?, ?)",
                values, 3);
}

void InsertImpPageRows(CDataBase& db, std::int16_t tipo, const std::vector<ImpRow>& rows) {
  std::vector<std::vector<Value>> values;
  values.reserve(rows.size());
  for (const ImpRow& row : rows) {
    values.push_back({Value(std::int64_t{row.page}), ImpText("c" + row.field), ImpText(row.value)});
  }
  WriteImpArray(db,
                "INSERT INTO imp ( NRO_HOJA, TIPO, NRO_CAMPO, Valor) VALUES(?, " +
                    std::to_string(tipo) + ", ?,?)",
                values, 2);
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
    WriteImpArray(db, "INSERT INTO imp ( NRO_HOJA, TIPO, NRO_CAMPO, Valor) VALUES(?, 0, ?,?)", rows,
                  2);
  });
}

}  // namespace tipolaria
