#include "ImpDump.hpp"

#include <algorithm>
#include <charconv>
#include <limits>
#include <ostream>
#include <tuple>
#include <vector>

#include "tipolaria/text.hpp"

namespace tipolaria::cli {
namespace {

struct DumpRow {
  std::tuple<double, double, long long, std::string> key;
  std::string line;
};

// Numbers order as numbers; anything else after them.
double NumberKey(const FieldValue& value) {
  return value.is_number ? value.number : std::numeric_limits<double>::max();
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

std::string DumpText(const FieldValue& value) {
  if (value.is_null) return "\\N";
  std::string out;
  for (const char c : value.text) {
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
  // The other control characters would act on the terminal that shows the
  // dump (ESC and CSI start sequences).
  return EscapeControls(out);
}

void WriteImpDump(const std::vector<Session::ImpRow>& rows, std::ostream& out) {
  std::vector<DumpRow> dump;
  dump.reserve(rows.size());
  for (const Session::ImpRow& row : rows) {
    const std::string& field = row.NRO_CAMPO.text;
    dump.push_back({{NumberKey(row.NRO_HOJA), NumberKey(row.TIPO), FieldKey(field), field},
                    DumpText(row.NRO_HOJA) + '\t' + DumpText(row.TIPO) + '\t' +
                        DumpText(row.NRO_CAMPO) + '\t' + DumpText(row.VALOR)});
  }
  std::stable_sort(dump.begin(), dump.end(),
                   [](const DumpRow& a, const DumpRow& b) { return a.key < b.key; });
  for (const DumpRow& row : dump) out << row.line << '\n';
}

}  // namespace tipolaria::cli
