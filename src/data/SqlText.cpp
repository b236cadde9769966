#include "data/SqlText.hpp"

namespace tipolaria {

std::string DoubleQuotes(std::string_view text) {
  std::string out;
  out.reserve(text.size() + 2);
  for (char c : text) {
    // A NUL (possible in a database text) would cut the statement short.
    if (c == '\0') continue;
    out.push_back(c);
    if (c == '\'') out.push_back('\'');
  }
  return out;
}

}  // namespace tipolaria
