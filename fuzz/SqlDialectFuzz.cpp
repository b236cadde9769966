// The translation of the customs database's SQL for the embedded database:
// any statement text.
#include <cstdlib>
#include <string>
#include <vector>

#include "FuzzInput.hpp"
#include "data/SqlDialect.hpp"
#include "data/SqlText.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  tipolaria::fuzz::ExpectOnlyComError([&] { tipolaria::TranslateToSqlite(text); });
  // A value quoted into a literal stays one literal whatever it holds, and
  // the translation leaves it as it is.
  const std::string quoted = "SELECT '" + tipolaria::DoubleQuotes(text) + "'";
  if (tipolaria::TranslateToSqlite(quoted) != quoted) std::abort();
  // Its statement's shape holds one parameter, bound to the value itself
  // (less any NUL, which no statement can hold).
  std::string value = text;
  std::erase(value, '\0');
  const auto shape = tipolaria::ShapeOf(quoted);
  if (!shape || shape->text != "SELECT ?" || shape->literals != std::vector<std::string>{value}) {
    std::abort();
  }
  tipolaria::ShapeOf(text);  // any text: a shape or none, never a crash
  return 0;
}
