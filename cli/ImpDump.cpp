#include "ImpDump.hpp"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <limits>
#include <ostream>
#include <tuple>
#include <vector>

#include "runtime/Convert.hpp"
#include "runtime/Utf8.hpp"

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
  const std::string text = ValueToText(value);
  std::string out;
  for (std::size_t pos = 0; pos < text.size();) {
    const std::size_t start = pos;
    // As the library reads text: UTF-8, a byte that is none as Latin-1.
    const char32_t c = NextCodePoint(text, pos);
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
        if (c < 0x20 || (c >= 0x7f && c <= 0x9f)) {
          // A control character would act on the terminal that shows the
          // dump (ESC and CSI start sequences): its bytes as \xHH.
          for (std::size_t i = start; i < pos; ++i) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\x%02x", static_cast<unsigned char>(text[i]));
            out += escaped;
          }
        } else {
          out.append(text, start, pos - start);
        }
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
