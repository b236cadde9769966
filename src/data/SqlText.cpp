#include "data/SqlText.hpp"

#include "data/DatabaseErrors.hpp"

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

void RejectNul(const std::string& source, const std::string& sql) {
  // Values are written into statements without NULs (DoubleQuotes).
  if (sql.find('\0') != std::string::npos) {
    RaiseDatabaseError(source,
                       "The statement contains a NUL character: " + sql.substr(0, sql.find('\0')));
  }
}

}  // namespace tipolaria
