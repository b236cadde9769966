#include "runtime/Strings.hpp"

#include <gtest/gtest.h>

#include "runtime/Trap.hpp"
#include "support/ErrorNumber.hpp"

namespace tipolaria {
namespace {

// 9 characters, 12 bytes.
constexpr const char* kText = "Año Ñandú";

TEST(StringsTest, CountsCharactersNotBytes) {
  EXPECT_EQ(Len(kText), 9);
  EXPECT_EQ(Left(kText, 2), "Añ");
  EXPECT_EQ(Left(kText, 99), kText);
  EXPECT_EQ(Right(kText, 4), "andú");
  EXPECT_EQ(Right(kText, 0), "");
  EXPECT_EQ(Mid(kText, 5), "Ñandú");
  EXPECT_EQ(Mid(kText, 2, 3), "ño ");
  EXPECT_EQ(Mid(kText, 10), "");
  EXPECT_EQ(Mid(kText, 9, 5), "ú");
  EXPECT_EQ(InStr(1, kText, "and"), 6);
  EXPECT_EQ(InStr(7, kText, "and"), 0);
  EXPECT_EQ(InStr(1, kText, "ú"), 9);
  EXPECT_EQ(InStr(3, kText, ""), 3);
  EXPECT_EQ(InStr(1, "", "a"), 0);
  EXPECT_EQ(InStr(1, "abc", "C"), 0);  // binary comparison
  // A stray Latin-1 byte is one character and never matches inside a sequence.
  EXPECT_EQ(Len("a\xF1\x62"), 3);
  EXPECT_EQ(Mid("a\xF1\x62", 2, 1), "\xF1");
  EXPECT_EQ(InStr(1, "ñ", "\xB1"), 0);
}

TEST(StringsTest, BlanksAreSpacesOnly) {
  EXPECT_EQ(Trim("  a b  "), "a b");
  EXPECT_EQ(LTrim("  a "), "a ");
  EXPECT_EQ(RTrim("  a "), "  a");
  EXPECT_EQ(Trim("\r\n"), "\r\n");
  EXPECT_EQ(Trim("\ta\t"), "\ta\t");
  EXPECT_EQ(Trim("   "), "");
  EXPECT_EQ(Space(3), "   ");
  EXPECT_EQ(Space(0), "");
}

TEST(StringsTest, UpperCaseCoversLatinOne) {
  EXPECT_EQ(UCase("año áéü ÷ ÿ 1z"), "AÑO ÁÉÜ ÷ Ÿ 1Z");
  EXPECT_EQ(UCase("ß"), "ß");  // no single upper-case letter
}

TEST(StringsTest, InvalidArgumentsAreErrorFive) {
  const auto call = [](auto f) { return ErrorNumber(f); };
  EXPECT_EQ(call([] { Left("abc", -1); }), kErrInvalidProcedureCall);
  EXPECT_EQ(call([] { Right("abc", -1); }), kErrInvalidProcedureCall);
  EXPECT_EQ(call([] { Mid("abc", 0); }), kErrInvalidProcedureCall);
  EXPECT_EQ(call([] { Mid("abc", 1, -1); }), kErrInvalidProcedureCall);
  EXPECT_EQ(call([] { Space(-1); }), kErrInvalidProcedureCall);
  EXPECT_EQ(call([] { InStr(0, "abc", "a"); }), kErrInvalidProcedureCall);
}

}  // namespace
}  // namespace tipolaria
