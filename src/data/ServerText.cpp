#include "data/ServerText.hpp"

#include "runtime/Convert.hpp"
#include "runtime/Decimal.hpp"

namespace tipolaria::detail {
namespace {

// UTF-8 of Latin-1's upper-case letters: 0xC3 then 0x80 to 0x9E, without the
// multiplication sign (0x97); their lower case is 0x20 further on.
constexpr unsigned char kLatin1Lead = 0xC3;
bool IsLatin1Upper(unsigned char second) {
  return second >= 0x80 && second <= 0x9E && second != 0x97;
}

}  // namespace

std::string ServerKey(std::string_view text) {
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  std::string key(text);
  for (std::size_t i = 0; i < key.size(); ++i) {
    const auto c = static_cast<unsigned char>(key[i]);
    if (c >= 'A' && c <= 'Z') {
      key[i] = static_cast<char>(c + ('a' - 'A'));
    } else if (c == kLatin1Lead && i + 1 < key.size() &&
               IsLatin1Upper(static_cast<unsigned char>(key[i + 1]))) {
      key[i + 1] = static_cast<char>(key[i + 1] + 0x20);
      ++i;
    }
  }
  return key;
}

bool ServerEquals(const Value& column, std::string_view text) {
  if (column.IsNull()) return false;
  if (column.IsNumeric()) {
    // The server converts the literal to the column's number; a literal that
    // is no number matches no row here.
    std::string_view trimmed = text;
    while (!trimmed.empty() && trimmed.front() == ' ') trimmed.remove_prefix(1);
    while (!trimmed.empty() && trimmed.back() == ' ') trimmed.remove_suffix(1);
    const std::optional<Decimal> number = Decimal::Parse(trimmed);
    return number && ValueToDecimal(column) == *number;
  }
  return ServerKey(ValueToText(column)) == ServerKey(text);
}

}  // namespace tipolaria::detail
