#include "runtime/Decimal.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "runtime/Trap.hpp"
#include "support/DecimalLiteral.hpp"
#include "support/ErrorNumber.hpp"

namespace tipolaria {
namespace {

constexpr const char* kMax = "79228162514264337593543950335";

using testing::D;

TEST(DecimalTest, ParsesAndPrintsShortest) {
  struct Case {
    const char* text;
    const char* shortest;
  } cases[] = {
      {"1.50", "1.5"},
      {" -0.25\t", "-0.25"},
      {"+3", "3"},
      {".5", "0.5"},
      {"5.", "5"},
      {"-0.000", "0"},
      {"1.5E-3", "0.0015"},
      {"1e3", "1000"},
      {"1e-40", "0"},
      {"0.00000000000000000000000000005", "0.0000000000000000000000000001"},
      {kMax, kMax},
      {"-79228162514264337593543950335.4", "-79228162514264337593543950335"},
      // 29 digits after the point: one digit rounds away.
      {"1.23456789012345678901234567891", "1.2345678901234567890123456789"},
      {"9.99999999999999999999999999995", "10"},
      // Rounded once from the exact digits: 8.0...045 is nearer 8 than 8.0...01.
      {"8.00000000000000000000000000045", "8"},
      {"0.000000000000000000000000000000000000000000012345678901234567890123456789e40",
       "0.0001234567890123456789012346"},
  };
  for (const Case& c : cases) EXPECT_EQ(D(c.text).ToString(), c.shortest) << c.text;
}

TEST(DecimalTest, RejectsTextThatIsNotANumber) {
  for (const char* text : {"", " ", "abc", "1.2.3", "1e", "e5", "--1", "1,5", ".", "1 2", "0x10"}) {
    EXPECT_FALSE(Decimal::Parse(text).has_value()) << text;
  }
}

TEST(DecimalTest, TooLargeIsOverflow) {
  for (const char* text : {"79228162514264337593543950336", "1e29", "-1e100000000"}) {
    EXPECT_EQ(ErrorNumber([&] { Decimal::Parse(text); }), kErrOverflow) << text;
  }
  const Decimal max = D(kMax);
  EXPECT_EQ(ErrorNumber([&] { return max + Decimal(1); }), kErrOverflow);
  EXPECT_EQ(ErrorNumber([&] { return max + D("0.5"); }), kErrOverflow);
  EXPECT_EQ(ErrorNumber([&] { return -max - Decimal(1); }), kErrOverflow);
  EXPECT_EQ(ErrorNumber([&] { return max * D("1.0000001"); }), kErrOverflow);
  EXPECT_EQ(ErrorNumber([&] { return max / D("0.1"); }), kErrOverflow);
  EXPECT_EQ(ErrorNumber([] { Decimal::FromDouble(1e300); }), kErrOverflow);
  EXPECT_EQ(ErrorNumber([] { Decimal::FromDouble(std::nan("")); }), kErrOverflow);
}

TEST(DecimalTest, ArithmeticIsExactAndRoundsWhatDoesNotFit) {
  struct Case {
    Decimal result;
    const char* expected;
  } cases[] = {
      {D("0.1") + D("0.2"), "0.3"},
      {D("1234.56") - D("1234.565"), "-0.005"},
      {D(kMax) + D("0.4"), kMax},
      {D("1e28") + D("1e-28"), "10000000000000000000000000000"},
      {D("1e28") - D("1e-28"), "10000000000000000000000000000"},
      {D("1e-28") - D("1e27"), "-1000000000000000000000000000"},
      {D("-2.5") * D("4"), "-10"},
      {D("0.1234567890123456789") * D("0.1234567890123456789"), "0.01524157875323883675019052"},
      {D("123456789012345.6789") * D("123456789012345.6789"), "15241578753238836750190519988"},
      {D("0.0000000000000000000000000001") * D("0.5"), "0.0000000000000000000000000001"},
      {Decimal(1) / Decimal(3), "0.3333333333333333333333333333"},
      {Decimal(2) / Decimal(3), "0.6666666666666666666666666667"},
      {Decimal(-7) / Decimal(2), "-3.5"},
      {D("1e28") / D("0.5"), "20000000000000000000000000000"},
      {D("1") / D(kMax), "0"},
      {D("12.5") / D("0.05"), "250"},
  };
  for (const Case& c : cases) EXPECT_EQ(c.result.ToString(), c.expected);
  EXPECT_EQ((Decimal(10) / Decimal(4)).scale(), 1);  // no trailing zeros
  EXPECT_EQ(ErrorNumber([] { return Decimal(1) / Decimal(); }), kErrDivisionByZero);
}

TEST(DecimalTest, RoundsHalfAwayFromZeroOrToEven) {
  struct Case {
    const char* value;
    int places;
    const char* away;
    const char* even;
  } cases[] = {
      {"2.345", 2, "2.35", "2.34"},
      {"-2.345", 2, "-2.35", "-2.34"},
      {"2.5", 0, "3", "2"},
      {"3.5", 0, "4", "4"},
      {"-2.5", 0, "-3", "-2"},
      {"2.5000001", 0, "3", "3"},
      {"0.004", 2, "0", "0"},
      {"7", 3, "7", "7"},
      {kMax, 0, kMax, kMax},
      {"7922816251426433759354395033.5", 0, "7922816251426433759354395034",
       "7922816251426433759354395034"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(D(c.value).Round(c.places).ToString(), c.away) << c.value;
    EXPECT_EQ(D(c.value).RoundHalfEven(c.places).ToString(), c.even) << c.value;
  }
  EXPECT_EQ(ErrorNumber([] { D("1.5").Round(-1); }), kErrInvalidProcedureCall);
  EXPECT_EQ(D("-2.7").Truncate().ToString(), "-2");
  EXPECT_EQ(D("-9223372036854775808.9").ToInt64(), std::numeric_limits<std::int64_t>::min());
  EXPECT_FALSE(D("9223372036854775808").ToInt64().has_value());
}

TEST(DecimalTest, ComparesByValue) {
  EXPECT_EQ(D("1.50"), D("1.5"));
  EXPECT_EQ(D("0.00"), Decimal());
  EXPECT_LT(D("-2"), D("-1.5"));
  EXPECT_LT(D("-0.0000000000000000000000000001"), Decimal());
  EXPECT_LT(D("0.0000000000000000000000000001"), D(kMax));
  EXPECT_LT(D("7922816251426433759354395033.4"), D("7922816251426433759354395033.5"));
  EXPECT_GT(D(kMax), D("7922816251426433759354395033.5"));
}

TEST(DecimalTest, DoublesGoThroughTheirShortestText) {
  EXPECT_EQ(Decimal::FromDouble(12.1).ToString(), "12.1");
  EXPECT_EQ(Decimal::FromDouble(0.1 + 0.2).ToString(), "0.30000000000000004");
  EXPECT_EQ(Decimal::FromDouble(1e20).ToString(), "100000000000000000000");
  EXPECT_EQ(Decimal::FromDouble(-1.5e-7).ToString(), "-0.00000015");
  EXPECT_EQ(Decimal::FromDouble(-0.0).ToString(), "0");
  EXPECT_EQ(D("12.1").ToDouble(), 12.1);
  EXPECT_EQ(D("-0.30000000000000004").ToDouble(), -(0.1 + 0.2));
}

}  // namespace
}  // namespace tipolaria
