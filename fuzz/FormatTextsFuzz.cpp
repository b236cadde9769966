// Display patterns and the texts of numbers and dates: any value under any
// pattern, and any text read as a number or a date.
#include <array>
#include <cstdlib>
#include <string>

#include "FuzzInput.hpp"
#include "runtime/Convert.hpp"
#include "runtime/Format.hpp"

namespace {

constexpr std::array<const char*, 11> kPatterns = {
    "#,##0.00", "#,##0.000", "#,##0.0000", "#,##0.00000",   "#,##0.000000",  "#,##0",
    "0.0000",   "0.00",      "0000",       "00-00000000-0", "dd / mm / yyyy"};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace tipolaria;
  FuzzedDataProvider in(data, size);
  const bool known = in.ConsumeBool();
  const std::string pattern =
      known ? kPatterns[in.ConsumeIntegralInRange<std::size_t>(0, kPatterns.size() - 1)]
            : in.ConsumeRandomLengthString(24);
  const Value value = fuzz::ConsumeValue(in);
  fuzz::ExpectOnlyComError([&] { Format(value, pattern); });
  fuzz::ExpectOnlyComError([&] { ValueToText(value); });
  fuzz::ExpectOnlyComError([&] { ValueToDecimal(value); });
  fuzz::ExpectOnlyComError([&] { ValueToInt32(value); });
  const std::string text = in.ConsumeRemainingBytesAsString();
  fuzz::ExpectOnlyComError([&] {
    if (const auto number = ParseRegionalNumber(text)) {
      // A number's text reads back as the same number.
      if (ParseRegionalNumber(NumberToText(*number)) != number) std::abort();
      Format(Value(*number), "#,##0.00");
    }
  });
  for (const auto& date : {DateTime::ParseIso(text), DateTime::ParseDmy(text)}) {
    if (date) {
      DateToText(*date);
      date->ToIso();
      DateTime::FromSerial(date->ToSerial());
    }
  }
  return 0;
}
