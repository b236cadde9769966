#include "data/OdbcParameters.hpp"

#include <sqlext.h>

#include <algorithm>
#include <cstring>

#include "data/DatabaseErrors.hpp"

namespace tipolaria {
namespace {

// Parameter directions of the original data-access layer.
constexpr std::int32_t kDirInput = 1;
[[maybe_unused]] constexpr std::int32_t kDirOutput = 2;  // bound as "not input-output" below
constexpr std::int32_t kDirInputOutput = 3;
constexpr std::int32_t kDirReturnValue = 4;

// Longer text goes as a long character type.
constexpr std::size_t kMaxVarChar = 8000;
// Room for what comes back in an output parameter read as text.
constexpr SQLLEN kOutputWidth = 256;

// A value as the text a database reads for it: invariant numbers, ISO dates,
// True as -1 as the original runtime stores it.
std::string ParameterText(const Value& v) {
  switch (v.kind()) {
    case Value::Kind::kNull:
      return "";
    case Value::Kind::kInteger:
      return std::to_string(v.AsInteger());
    case Value::Kind::kBoolean:
      return v.AsBoolean() ? "-1" : "0";
    case Value::Kind::kDecimal:
      return v.AsDecimal().ToString();
    case Value::Kind::kDouble:
      return Decimal::FromDouble(v.AsDouble()).ToString();
    case Value::Kind::kText:
      return v.AsText();
    case Value::Kind::kDate:
      return v.AsDate().ToIso();
  }
  return "";
}

// The SQL type of a type code of the original data-access layer; 0 when it
// has none here.
SQLSMALLINT SqlTypeOf(std::int32_t ado_type) {
  switch (ado_type) {
    case 2:  // adSmallInt
    case 16:
    case 17:
      return SQL_SMALLINT;
    case 3:  // adInteger
    case 18:
    case 19:
      return SQL_INTEGER;
    case 20:  // adBigInt
      return SQL_BIGINT;
    case 4:  // adSingle
      return SQL_REAL;
    case 5:  // adDouble
      return SQL_DOUBLE;
    case 6:    // adCurrency
    case 14:   // adDecimal
    case 131:  // adNumeric
      return SQL_DECIMAL;
    case 11:  // adBoolean
      return SQL_BIT;
    case 7:    // adDate
    case 133:  // adDBDate
    case 135:  // adDBTimeStamp
      return SQL_TYPE_TIMESTAMP;
    case 129:  // adChar
      return SQL_CHAR;
    case 200:  // adVarChar
      return SQL_VARCHAR;
    case 201:  // adLongVarChar
      return SQL_LONGVARCHAR;
    case 130:  // adWChar
      return SQL_WCHAR;
    case 202:  // adVarWChar
      return SQL_WVARCHAR;
    case 203:  // adLongVarWChar
      return SQL_WLONGVARCHAR;
    default:
      return 0;
  }
}

bool IsCharacterType(SQLSMALLINT t) {
  return t == SQL_CHAR || t == SQL_VARCHAR || t == SQL_LONGVARCHAR || t == SQL_WCHAR ||
         t == SQL_WVARCHAR || t == SQL_WLONGVARCHAR;
}

}  // namespace

OdbcParameters::Marker OdbcParameters::TextMarker(const std::vector<const Value*>& values,
                                                  SQLSMALLINT sql_type) {
  Marker m;
  std::vector<std::string> texts;
  std::size_t longest = 0;
  for (const Value* v : values) {
    texts.push_back(ParameterText(*v));
    longest = std::max(longest, texts.back().size());
  }
  m.sql_type = sql_type == SQL_VARCHAR && longest > kMaxVarChar ? SQL_LONGVARCHAR : sql_type;
  m.column_size = std::max<std::size_t>(longest, 1);
  m.width = static_cast<SQLLEN>(longest + 1);
  m.data.assign(values.size() * static_cast<std::size_t>(m.width), '\0');
  for (std::size_t r = 0; r < values.size(); ++r) {
    std::memcpy(m.data.data() + r * static_cast<std::size_t>(m.width), texts[r].data(),
                texts[r].size());
    m.lengths.push_back(values[r]->IsNull() ? SQL_NULL_DATA : static_cast<SQLLEN>(texts[r].size()));
  }
  return m;
}

OdbcParameters::OdbcParameters(const std::vector<std::vector<Value>>& rows, bool dates_as_text)
    : rows_(rows.size()) {
  const std::size_t count = rows.empty() ? 0 : rows.front().size();
  for (const auto& row : rows) {
    if (row.size() != count) RaiseDatabaseError("ODBC", "The rows of a statement differ in length");
  }
  for (std::size_t i = 0; i < count; ++i) {
    std::vector<const Value*> column;
    bool any = false, whole = true, floating = true, dates = true;
    for (const auto& row : rows) {
      const Value& v = row[i];
      column.push_back(&v);
      if (v.IsNull()) continue;
      any = true;
      whole = whole && (v.kind() == Value::Kind::kInteger || v.kind() == Value::Kind::kBoolean);
      floating = floating && v.kind() == Value::Kind::kDouble;
      dates = dates && !dates_as_text && v.kind() == Value::Kind::kDate;
    }
    if (!any || !(whole || floating || dates)) {
      markers_.push_back(TextMarker(column, SQL_VARCHAR));
      continue;
    }
    Marker m;
    if (whole) {
      m.c_type = SQL_C_SBIGINT;
      m.sql_type = SQL_BIGINT;
      m.column_size = 19;
      m.width = sizeof(SQLBIGINT);
    } else if (floating) {
      m.c_type = SQL_C_DOUBLE;
      m.sql_type = SQL_DOUBLE;
      m.column_size = 15;
      m.width = sizeof(double);
    } else {
      m.c_type = SQL_C_TYPE_TIMESTAMP;
      m.sql_type = SQL_TYPE_TIMESTAMP;
      m.column_size = 19;
      m.width = sizeof(SQL_TIMESTAMP_STRUCT);
    }
    m.data.assign(rows_ * static_cast<std::size_t>(m.width), '\0');
    for (std::size_t r = 0; r < rows_; ++r) {
      const Value& v = *column[r];
      char* at = m.data.data() + r * static_cast<std::size_t>(m.width);
      m.lengths.push_back(v.IsNull() ? SQL_NULL_DATA : 0);
      if (v.IsNull()) continue;
      if (whole) {
        // True is -1, as the original runtime stores it.
        const SQLBIGINT n =
            v.kind() == Value::Kind::kBoolean ? (v.AsBoolean() ? -1 : 0) : v.AsInteger();
        std::memcpy(at, &n, sizeof n);
      } else if (floating) {
        const double d = v.AsDouble();
        std::memcpy(at, &d, sizeof d);
      } else {
        const DateTime& d = v.AsDate();
        SQL_TIMESTAMP_STRUCT ts{};
        ts.year = static_cast<SQLSMALLINT>(d.year);
        ts.month = static_cast<SQLUSMALLINT>(d.month);
        ts.day = static_cast<SQLUSMALLINT>(d.day);
        ts.hour = static_cast<SQLUSMALLINT>(d.hour);
        ts.minute = static_cast<SQLUSMALLINT>(d.minute);
        ts.second = static_cast<SQLUSMALLINT>(d.second);
        std::memcpy(at, &ts, sizeof ts);
      }
    }
    markers_.push_back(std::move(m));
  }
}

OdbcParameters::OdbcParameters(const std::vector<ProcedureParam>& params) : rows_(1) {
  for (const ProcedureParam& p : params) {
    const SQLSMALLINT sql_type = SqlTypeOf(p.type);
    if (sql_type == 0) {
      RaiseDatabaseError("ODBC", "Parameter " + p.name + ": the type " + std::to_string(p.type) +
                                     " is not supported");
    }
    if (p.direction < kDirInput || p.direction > kDirReturnValue) {
      RaiseDatabaseError("ODBC", "Parameter " + p.name + ": the direction " +
                                     std::to_string(p.direction) + " is not supported");
    }
    // Every value goes as text; the driver converts it to the marker's type.
    Value value = p.value;
    if (sql_type == SQL_BIT && !value.IsNull())
      value = Value(std::string(value.AsBoolean() ? "1" : "0"));
    Marker m = TextMarker({&value}, sql_type);
    if (IsCharacterType(sql_type) && p.size > 0) {
      // The declared size, as the procedure's parameter takes it.
      m.column_size = static_cast<SQLULEN>(p.size);
    } else if (sql_type == SQL_DECIMAL) {
      const std::string text = ParameterText(value);
      const std::size_t point = text.find('.');
      const auto digits =
          std::count_if(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
      m.column_size = static_cast<SQLULEN>(std::max<long>(digits, 1));
      m.digits = point == std::string::npos ? 0 : static_cast<SQLSMALLINT>(text.size() - point - 1);
    }
    if (p.direction != kDirInput) {
      m.io = p.direction == kDirInputOutput ? SQL_PARAM_INPUT_OUTPUT : SQL_PARAM_OUTPUT;
      const SQLLEN width = std::max<SQLLEN>(m.width, std::max<SQLLEN>(p.size + 1, kOutputWidth));
      m.data.resize(static_cast<std::size_t>(width), '\0');
      m.width = width;
      if (p.direction != kDirInputOutput) m.lengths[0] = 0;
    }
    markers_.push_back(std::move(m));
  }
}

void OdbcParameters::Bind(const OdbcHandle& stmt, const std::string& source) {
  for (std::size_t i = 0; i < markers_.size(); ++i) {
    Marker& m = markers_[i];
    stmt.Check(
        SQLBindParameter(stmt.get(), static_cast<SQLUSMALLINT>(i + 1), m.io, m.c_type, m.sql_type,
                         m.column_size, m.digits, m.data.data(), m.width, m.lengths.data()),
        source);
  }
  if (rows_ == 1) return;
  status_.assign(rows_, SQL_PARAM_UNUSED);
  stmt.Check(SQLSetStmtAttr(stmt.get(), SQL_ATTR_PARAMSET_SIZE,
                            reinterpret_cast<SQLPOINTER>(static_cast<SQLULEN>(rows_)), 0),
             source);
  stmt.Check(SQLSetStmtAttr(stmt.get(), SQL_ATTR_PARAM_STATUS_PTR, status_.data(), 0), source);
  stmt.Check(SQLSetStmtAttr(stmt.get(), SQL_ATTR_PARAMS_PROCESSED_PTR, &processed_, 0), source);
}

void OdbcParameters::CheckRows(const OdbcHandle& stmt, const std::string& source,
                               const std::string& context,
                               const std::optional<ComError>& said) const {
  if (rows_ == 1) return;
  for (std::size_t r = 0; r < rows_; ++r) {
    const bool failed = status_[r] == SQL_PARAM_ERROR || status_[r] == SQL_PARAM_DIAG_UNAVAILABLE;
    if (!failed && r < processed_) continue;
    const std::string row =
        " (row " + std::to_string(r + 1) + " of " + std::to_string(rows_) + ")" + context;
    if (said) throw ComError(said->number(), said->source(), said->description() + row);
    stmt.Raise(source, row);
  }
}

}  // namespace tipolaria
