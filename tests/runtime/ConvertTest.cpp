#include "runtime/Convert.hpp"

#include <gtest/gtest.h>

#include "runtime/Trap.hpp"
#include "support/DecimalLiteral.hpp"
#include "support/ErrorNumber.hpp"

namespace tipolaria {
namespace {

using testing::D;

TEST(ConvertTest, ValuesAsConcatenationWritesThem) {
  struct Case {
    Value value;
    const char* text;
  } cases[] = {
      {5, "5"},
      {D("12.50"), "12,5"},
      {D("-0.25"), "-0,25"},
      {12.1, "12,1"},
      {0.1 + 0.2, "0,3"},  // a Double shows 15 significant digits
      {123456789.123456789, "123456789,123457"},
      {1.5e20, "1,5E+20"},
      // Plain digits up to 15 places each side, scientific beyond.
      {999999999999999.0, "999999999999999"},
      {1e15, "1E+15"},
      {999999999999999.9, "1E+15"},
      {1e-14, "0,00000000000001"},
      {1e-15, "1E-15"},
      {-2e-20, "-2E-20"},
      {DateTime{2026, 12, 5}, "05/12/2026"},
      {DateTime{2026, 1, 2, 7, 5, 9}, "02/01/2026 07:05:09"},
      {true, "True"},
      {"a\xC3\xB1o", "a\xC3\xB1o"},
  };
  for (const Case& c : cases) EXPECT_EQ(ValueToText(c.value), c.text) << c.text;
  EXPECT_EQ(ErrorNumber([] { ValueToText(Value()); }), kErrInvalidUseOfNull);
}

TEST(ConvertTest, ReadsRegionalNumbers) {
  struct Case {
    const char* text;
    const char* value;  // invariant
  } cases[] = {
      {"1.234,5", "1234.5"}, {" -12,50 ", "-12.5"},
      {"- 3", "-3"},         {"12.5", "125"},  // "." only groups thousands
      {"1.2.3", "123"},      {",5", "0.5"},
      {"5,", "5"},           {"1,5E3", "1500"},
  };
  for (const Case& c : cases) EXPECT_EQ(ParseRegionalNumber(c.text), D(c.value)) << c.text;
  for (const char* text : {"", " ", "abc", ".5", "1,2,3", "1,2.3", "20-12345678-9", "1,5E"}) {
    EXPECT_FALSE(ParseRegionalNumber(text).has_value()) << text;
  }
}

TEST(ConvertTest, DecimalAndDoubleConversions) {
  EXPECT_EQ(ValueToDecimal("1.234,5"), D("1234.5"));
  EXPECT_EQ(ValueToDecimal(true), Decimal(-1));
  EXPECT_EQ(ValueToDecimal(2.345), D("2.345"));
  EXPECT_EQ(ValueToDecimal(DateTime{1899, 12, 31, 12}), D("1.5"));
  EXPECT_EQ(ValueToDecimal(DateTime{1899, 12, 29, 6}), D("-1.25"));
  EXPECT_EQ(ValueToDouble("1,5E300"), 1.5e300);
  EXPECT_EQ(ValueToDouble(DateTime{2026, 12, 5}), 46361.0);
  EXPECT_EQ(ErrorNumber([] { ValueToDecimal("abc"); }), kErrTypeMismatch);
  EXPECT_EQ(ErrorNumber([] { ValueToDouble(""); }), kErrTypeMismatch);
  EXPECT_EQ(ErrorNumber([] { ValueToDecimal(Value()); }), kErrInvalidUseOfNull);
  EXPECT_EQ(ErrorNumber([] { ValueToDouble(Value()); }), kErrInvalidUseOfNull);
  EXPECT_EQ(ErrorNumber([] { ValueToDecimal(1e30); }), kErrOverflow);
}

TEST(ConvertTest, IntegersRoundHalfToEvenThenOverflow) {
  const std::pair<Value, int> rounded[] = {
      {2.5, 2},        {3.5, 4},   {-2.5, -2}, {2.5000001, 3}, {D("2.5"), 2},
      {D("-3.5"), -4}, {"4,5", 4}, {true, -1}, {32767, 32767}, {D("-32768.5"), -32768}};
  for (const auto& [value, expected] : rounded) EXPECT_EQ(ValueToInt16(value), expected);
  for (const Value& value :
       {Value(32767.5), Value(32768), Value(-32769), Value("99999"), Value(1e300)}) {
    EXPECT_EQ(ErrorNumber([&] { ValueToInt16(value); }), kErrOverflow) << ValueToText(value);
  }
  EXPECT_EQ(ValueToInt32(2147483647.4), 2147483647);
  EXPECT_EQ(ErrorNumber([] { ValueToInt32(2147483647.5); }), kErrOverflow);
  EXPECT_EQ(ErrorNumber([] { ValueToInt32(D("-2147483648.6")); }), kErrOverflow);
  EXPECT_EQ(ErrorNumber([] { ValueToInt16("x"); }), kErrTypeMismatch);
  EXPECT_EQ(ErrorNumber([] { ValueToInt16(Value()); }), kErrInvalidUseOfNull);
  EXPECT_EQ(CheckedInt16(-32768), -32768);
  EXPECT_EQ(ErrorNumber([] { CheckedInt16(32768); }), kErrOverflow);
  EXPECT_EQ(ErrorNumber([] { CheckedInt32(std::int64_t{1} << 31); }), kErrOverflow);
}

TEST(ConvertTest, Booleans) {
  EXPECT_TRUE(ValueToBoolean(" TRUE "));
  EXPECT_FALSE(ValueToBoolean("false"));
  EXPECT_TRUE(ValueToBoolean("0,5"));
  EXPECT_FALSE(ValueToBoolean(D("0.00")));
  EXPECT_TRUE(ValueToBoolean(-1));
  EXPECT_EQ(ErrorNumber([] { ValueToBoolean("si"); }), kErrTypeMismatch);
  EXPECT_EQ(ErrorNumber([] { ValueToBoolean(Value()); }), kErrInvalidUseOfNull);
}

TEST(ConvertTest, DatesParseOnlyRealDays) {
  EXPECT_EQ(DateTime::ParseIso("2024-02-29"), (DateTime{2024, 2, 29}));
  EXPECT_EQ(DateTime::ParseIso("2026-12-05T23:59:58.123"), (DateTime{2026, 12, 5, 23, 59, 58}));
  EXPECT_EQ(DateTime::ParseDmy("5/12/2026"), (DateTime{2026, 12, 5}));
  EXPECT_EQ(DateTime::ParseDmy("02/01/2026 07:05:09"), (DateTime{2026, 1, 2, 7, 5, 9}));
  for (const char* text :
       {"2023-02-29", "1900-02-29", "2026-04-31", "2026-13-01", "2026-12-05 24:00:00",
        "2026-12-05 10:00", "2026-12-05x", "26-12-05", "0099-01-01"}) {
    EXPECT_FALSE(DateTime::ParseIso(text).has_value()) << text;
  }
  for (const char* text :
       {"29/02/2023", "31/04/2026", "05/12/26", "05-12-2026", "5/12/2026 7:05"}) {
    EXPECT_FALSE(DateTime::ParseDmy(text).has_value()) << text;
  }
  EXPECT_EQ((DateTime{2026, 1, 2, 7, 5, 9}).ToIso(), "2026-01-02 07:05:09");
  EXPECT_EQ(DateTime::FromSerial(-1.25), (DateTime{1899, 12, 29, 6}));
  EXPECT_EQ(DateTime::FromSerial(46361.999999), (DateTime{2026, 12, 6}));
  EXPECT_FALSE(DateTime::FromSerial(3e6).has_value());
}

}  // namespace
}  // namespace tipolaria
