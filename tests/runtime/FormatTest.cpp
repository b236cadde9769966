#include "runtime/Format.hpp"

#include <gtest/gtest.h>

#include "runtime/Trap.hpp"
#include "support/DecimalLiteral.hpp"
#include "support/ErrorNumber.hpp"

namespace tipolaria {
namespace {

using testing::D;

struct PatternCase {
  Value value;
  const char* pattern;
  const char* text;
};

TEST(FormatTest, AmountsWeightsIdentifiersAndDates) {
  const PatternCase cases[] = {
      {1234.5, "#,##0.00", "1.234,50"},
      {D("2.345"), "#,##0.00", "2,35"},
      {2.345, "#,##0.00", "2,35"},  // the Double's shortest text, not its binary value
      {1.005, "#,##0.00", "1,01"},
      {D("-2.345"), "#,##0.00", "-2,35"},
      {D("-0.004"), "0.00", "-0,00"},
      {D("0.004"), "0.00", "0,00"},
      {0, "#,##0.00", "0,00"},
      {Value(), "#,##0.00", ""},
      {D("999.995"), "#,##0.00", "1.000,00"},
      {D("-1234567.891"), "#,##0.00", "-1.234.567,89"},
      {D("79228162514264337593543950335"), "#,##0", "79.228.162.514.264.337.593.543.950.335"},
      {std::int64_t{1000000}, "#,##0", "1.000.000"},
      {D("999.5"), "#,##0", "1.000"},
      {D("12.3456785"), "#,##0.000000", "12,345679"},
      {D("0.12345"), "#,##0.0000", "0,1235"},
      {D("1.234565"), "#,##0.00000", "1,23457"},
      {D("1234.0005"), "#,##0.000", "1.234,001"},
      {D("1234.5"), "0.0000", "1234,5000"},
      {D("1234.567"), "0.00", "1234,57"},
      {true, "0.00", "-1,00"},
      // Text is read under regional settings.
      {"1234,5", "#,##0.00", "1.234,50"},
      {" 1.234,5 ", "#,##0.00", "1.234,50"},
      {"12.5", "#,##0.00", "125,00"},
      {"abc", "#,##0.00", "abc"},
      {"", "#,##0.00", ""},
      {"", "00-00000000-0", ""},
      {"", "dd / mm / yyyy", ""},
      {"7", "0000", "0007"},
      {"x", "0000", "x"},
      // Identifiers fill from the right.
      {7, "0000", "0007"},
      {12345, "0000", "12345"},
      {D("6.5"), "0000", "0007"},
      {std::int64_t{20123456789}, "00-00000000-0", "20-12345678-9"},
      {123, "00-00000000-0", "00-00000012-3"},
      {0, "00-00000000-0", "00-00000000-0"},
      {"20123456789", "00-00000000-0", "20-12345678-9"},
      {"00000000123", "00-00000000-0", "00-00000012-3"},
      {"20-12345678-9", "00-00000000-0", "20-12345678-9"},
      {std::int64_t{120123456789}, "00-00000000-0", "120-12345678-9"},
      // Dates.
      {DateTime{2026, 12, 5}, "dd / mm / yyyy", "05 / 12 / 2026"},
      {DateTime{2026, 12, 5, 13, 4}, "dd / mm / yyyy", "05 / 12 / 2026"},
      {"2026-12-05 00:00:00", "dd / mm / yyyy", "05 / 12 / 2026"},
      {"5/12/2026", "dd / mm / yyyy", "05 / 12 / 2026"},
      {"31/02/2026", "dd / mm / yyyy", "31/02/2026"},
      {Value(), "dd / mm / yyyy", ""},
      {46361, "dd / mm / yyyy", "05 / 12 / 2026"},
      {DateTime{2026, 12, 5, 13, 4, 2}, "d/m/yy hh:mm:ss", "5/12/26 13:04:02"},
      {DateTime{2026, 12, 5, 12}, "#,##0.00", "46.361,50"},
  };
  for (const PatternCase& c : cases) {
    EXPECT_EQ(Format(c.value, c.pattern), c.text) << c.pattern << " -> " << c.text;
  }
}

TEST(FormatTest, OtherPatternsOfTheSameKindAndRefusals) {
  EXPECT_EQ(Format(D("1234.5"), "#,##0.0"), "1.234,5");
  EXPECT_EQ(Format(D("1.5"), "#.##"), "1,5");
  EXPECT_EQ(Format(D("0.5"), "#.##"), ",5");
  EXPECT_EQ(Format(D("-12.5"), ""), "-12,5");
  for (const char* pattern :
       {"0.00%", "#,##0.00;(#,##0.00)", "0.00E+00", "#,##0,", "Currency", "\"N\"0", "ddd dd"}) {
    EXPECT_EQ(ErrorNumber([&] { Format(Value(), pattern); }), kErrInvalidProcedureCall) << pattern;
  }
}

}  // namespace
}  // namespace tipolaria
