// Connection strings as hosts hand them in: any text.
#include <string>

#include "FuzzInput.hpp"
#include "data/ConnectionString.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  tipolaria::fuzz::ExpectOnlyComError([&] { tipolaria::ParseConnectionString(text); });
  tipolaria::fuzz::ExpectOnlyComError([&] { tipolaria::SplitConnectionString(text); });
  tipolaria::fuzz::ExpectOnlyComError([&] { tipolaria::MaskPasswords(text); });
  return 0;
}
