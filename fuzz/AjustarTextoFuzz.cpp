// AjustarTexto: any text, any box width and any number of lines.
#include <string>

#include "FuzzInput.hpp"
#include "common/UtilFnc.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider in(data, size);
  const std::int32_t width = in.ConsumeBool() ? in.ConsumeIntegralInRange(-100, 20000)
                                              : in.ConsumeIntegral<std::int32_t>();
  const std::int32_t lines =
      in.ConsumeBool() ? in.ConsumeIntegralInRange(-2, 12) : in.ConsumeIntegral<std::int32_t>();
  const std::string text = in.ConsumeRemainingBytesAsString();
  tipolaria::fuzz::ExpectOnlyComError([&] { tipolaria::AjustarTexto(text, width, lines); });
  return 0;
}
