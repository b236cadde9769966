#include "common/UtilFnc.hpp"

#include <algorithm>

#include "runtime/Convert.hpp"
#include "runtime/Strings.hpp"

namespace tipolaria {

std::string ValorTexto(const Value& field) { return field.IsNull() ? "" : ValueToText(field); }

Decimal ValorDecimal(const Value& field) {
  return field.IsNull() ? Decimal() : ValueToDecimal(field);
}

bool BuscarEnColeccion(std::string& key, const std::vector<std::string>& items,
                       std::int32_t prefix_length, std::int32_t& start) {
  const std::int64_t count = static_cast<std::int64_t>(items.size());
  // Both sides are read as 16-bit integers, as the runtime converts text:
  // " 74" and "074" match 74, "12,6" rounds to 13, and a prefix or key out of
  // the 16-bit range is an overflow, not a mismatch. The key is read only
  // when there is an item to compare it with.
  for (std::int64_t i = std::max<std::int64_t>(start, 1); i <= count; ++i) {
    const std::string& item = items[static_cast<std::size_t>(i - 1)];
    if (ValueToInt16(Value(Left(item, prefix_length))) == ValueToInt16(Value(key))) {
      key = item;
      start = static_cast<std::int32_t>(i);
      return true;
    }
  }
  return false;
}

}  // namespace tipolaria
