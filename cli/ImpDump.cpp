#include "ImpDump.hpp"

#include <algorithm>
#include <charconv>
#include <limits>
#include <ostream>
#include <tuple>
#include <vector>

#include "runtime/Convert.hpp"

namespace tipolaria::cli {
namespace {

struct DumpRow {
  std::tuple<double, double, long long, std::string> key;
  std::string line;
};

// Numbers order as numbers; anything else after them.
double NumberKey(const Value& value) {
  return value.IsNumeric() ? ValueToDouble(value) : std::numeric_limits<double>::max();
}

// "c10" orders as 10; a name without a number after every number.
long long FieldKey(const std::string& field) {
  long long number = 0;
  const char* first = field.data() + std::min<std::size_t>(1, field.size());
  const char* last = field.data() + field.size();
  const auto [end, error] = std::from_chars(first, last, number);
  if (field.empty() || (field[0] != 'c' && field[0] != 'C') || error != std::errc() ||
      end != last) {
    return std::numeric_limits<long long>::max();
  }
  return number;
}

}  // namespace

std::string DumpText(const Value& value) {
  if (value.IsNull()) return "\\N";
  std::string out;
  for (const char c : ValueToText(value)) {
    switch (c) {
      case '\\':
        out += "\\\\";
        break;
      case '\t':
        out += "\\t";
        break;
      case '\n':
        out += "\\n";
        break;
      case '\r':
        out += "\\r";
        break;
      default:
        out += c;
    }
  }
  return out;
}

void WriteImpDump(Recordset rows, std::ostream& out) {
  std::vector<DumpRow> dump;
  for (rows.MoveFirst(); !rows.AtEnd(); rows.MoveNext()) {
    const Value& page = rows.Field("NRO_HOJA");
    const Value& tipo = rows.Field("TIPO");
    const Value& field = rows.Field("NRO_CAMPO");
    const std::string field_text = field.IsNull() ? std::string() : ValueToText(field);
    dump.push_back({{NumberKey(page), NumberKey(tipo), FieldKey(field_text), field_text},
                    DumpText(page) + '\t' + DumpText(tipo) + '\t' + DumpText(field) + '\t' +
                        DumpText(rows.Field("VALOR"))});
  }
  std::stable_sort(dump.begin(), dump.end(),
                   [](const DumpRow& a, const DumpRow& b) { return a.key < b.key; });
  for (const DumpRow& row : dump) out << row.line << '\n';
}

}  // namespace tipolaria::cli
