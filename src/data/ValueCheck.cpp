#include "data/ValueCheck.hpp"

#include <cctype>

#include "data/SchemaCheck.hpp"
#include "data/SqlText.hpp"
#include "runtime/Convert.hpp"

namespace tipolaria {
namespace {

struct CheckedColumn {
  std::string name;
  bool date = false;
};

std::string Upper(std::string text) {
  for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return text;
}

std::string Identifier(const std::string& name) {
  std::string quoted = "\"";
  for (const char c : name) quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
  return quoted + "\"";
}

std::string Literal(const std::string& text) { return "'" + DoubleQuotes(text) + "'"; }

// The columns of `table` that hold numbers or dates, by their declared
// types, as the readers take them.
std::vector<CheckedColumn> NumberAndDateColumns(CDataBase& db, const std::string& table) {
  std::vector<CheckedColumn> columns;
  Recordset rs;
  db.GetRs("SELECT name, type FROM pragma_table_info(" + Literal(table) + ")", rs);
  for (; !rs.AtEnd(); rs.MoveNext()) {
    const std::string type = Upper(ValueToText(rs.Field(std::size_t{1})));
    const bool date = type.find("DATE") != std::string::npos;
    bool number = false;
    for (const char* kind : {"INT", "DEC", "NUMERIC", "MONEY", "REAL", "FLOA", "DOUB"}) {
      number = number || type.find(kind) != std::string::npos;
    }
    if (date || number) columns.push_back({ValueToText(rs.Field(std::size_t{0})), date});
  }
  return columns;
}

// The columns of `table`'s first index, which the schema gives each table
// on its key.
std::vector<std::string> KeyColumns(CDataBase& db, const std::string& table) {
  std::vector<std::string> key;
  Recordset rs;
  if (!db.GetRs("SELECT name FROM sqlite_master WHERE type = 'index' AND tbl_name = " +
                    Literal(table) + " AND sql IS NOT NULL ORDER BY rowid",
                rs)) {
    return key;
  }
  const std::string index = ValueToText(rs.Field(std::size_t{0}));
  db.GetRs("SELECT name FROM pragma_index_info(" + Literal(index) + ") ORDER BY seqno", rs);
  for (; !rs.AtEnd(); rs.MoveNext()) key.push_back(ValueToText(rs.Field(std::size_t{0})));
  return key;
}

// An SQL condition true for every value of `column` that may not read as
// it should: all but the numbers the engine stores as numbers, and all but
// the texts that are plainly a day ('yyyy-mm-dd', with ' hh:mm:ss' or not)
// of the calendar. The rows it selects are then judged as they read. A day
// is of the calendar when going through its day number gives it back
// (date() alone takes 2026-02-31 as it stands, julianday() counts on into
// March); the hour 24 turns into the next day. The year is compared as a
// piece of the text: a column of dates has numeric affinity, and would
// compare '0099-12-05' with '0100' read as the number 100.
std::string MayBeMistyped(const CheckedColumn& column) {
  const std::string c = Identifier(column.name);
  if (!column.date) return "typeof(" + c + ") IN ('text', 'blob')";
  const std::string day = "[0-9][0-9][0-9][0-9]-[0-9][0-9]-[0-9][0-9]";
  return "(typeof(" + c + ") <> 'null' AND NOT (typeof(" + c + ") = 'text' AND (" + c + " GLOB '" +
         day + "' OR " + c + " GLOB '" + day + " [0-2][0-9]:[0-5][0-9]:[0-5][0-9]') AND substr(" +
         c + ", 1, 4) >= '0100' AND date(julianday(" + c + ")) IS substr(" + c + ", 1, 10)))";
}

bool ReadsAsItShould(const Value& value, bool date) {
  return value.IsNull() || (date ? value.kind() == Value::Kind::kDate : value.IsNumeric());
}

}  // namespace

std::vector<MistypedValue> MistypedValues(CDataBase& db) {
  std::vector<MistypedValue> found;
  if (db.EnforcesColumnTypes()) return found;
  for (const std::string& table : SchemaTables()) {
    const std::vector<CheckedColumn> columns = NumberAndDateColumns(db, table);
    if (columns.empty()) continue;
    const std::vector<std::string> key = KeyColumns(db, table);
    std::string sql = "SELECT rowid";
    for (const std::string& name : key) sql += ", " + Identifier(name);
    for (const CheckedColumn& column : columns) sql += ", " + Identifier(column.name);
    std::string where;
    for (const CheckedColumn& column : columns) {
      where += (where.empty() ? "" : " OR ") + MayBeMistyped(column);
    }
    Recordset rs;
    db.GetRs(sql + " FROM " + Identifier(table) + " WHERE " + where + " ORDER BY rowid", rs);
    for (; !rs.AtEnd(); rs.MoveNext()) {
      for (std::size_t i = 0; i < columns.size(); ++i) {
        const Value& value = rs.Field(1 + key.size() + i);
        if (ReadsAsItShould(value, columns[i].date)) continue;
        const Value& row = rs.Field(std::size_t{0});
        MistypedValue mistyped{table,
                               columns[i].name,
                               columns[i].date,
                               ValueToFieldValue(value),
                               row.kind() == Value::Kind::kInteger ? row.AsInteger() : 0,
                               {}};
        for (std::size_t k = 0; k < key.size(); ++k) {
          mistyped.key.emplace_back(key[k], ValueToFieldValue(rs.Field(1 + k)));
        }
        found.push_back(std::move(mistyped));
      }
    }
  }
  return found;
}

}  // namespace tipolaria
