// What every fuzz target shares: a fuzz input read as a sequence of choices
// and texts (the data provider of libFuzzer), and the one kind of error the
// code under test may raise. A ComError is the sound answer to hostile input;
// any other exception, a crash, a sanitizer report or a hang is a finding.
#ifndef TIPOLARIA_FUZZ_FUZZINPUT_HPP_
#define TIPOLARIA_FUZZ_FUZZINPUT_HPP_

#include <fuzzer/FuzzedDataProvider.h>

#include <string>

#include "runtime/Value.hpp"
#include "tipolaria/error.hpp"

namespace tipolaria::fuzz {

// Runs `body`, letting the system's errors through as answers.
template <typename Body>
void ExpectOnlyComError(Body&& body) {
  try {
    body();
  } catch (const ComError&) {
  }
}

// Any of the values a field can hold, texts of any bytes included.
inline Value ConsumeValue(FuzzedDataProvider& in) {
  switch (in.ConsumeIntegralInRange(0, 6)) {
    case 0:
      return Value();
    case 1:
      return Value(in.ConsumeIntegral<std::int64_t>());
    case 2: {
      const std::string digits = in.ConsumeRandomLengthString(40);
      try {
        if (auto d = Decimal::Parse(digits)) return Value(*d);
      } catch (const ComError&) {  // past the Decimal range
      }
      return Value(0);
    }
    case 3:
      return Value(in.ConsumeFloatingPoint<double>());
    case 4: {
      DateTime date;
      date.year = in.ConsumeIntegralInRange(-100, 12000);
      date.month = in.ConsumeIntegralInRange(-1, 14);
      date.day = in.ConsumeIntegralInRange(-1, 33);
      date.hour = in.ConsumeIntegralInRange(-1, 25);
      date.minute = in.ConsumeIntegralInRange(-1, 61);
      date.second = in.ConsumeIntegralInRange(-1, 61);
      return Value(date);
    }
    case 5:
      return Value(in.ConsumeBool());
    default:
      return Value(in.ConsumeRandomLengthString(200));
  }
}

}  // namespace tipolaria::fuzz

#endif  // TIPOLARIA_FUZZ_FUZZINPUT_HPP_
