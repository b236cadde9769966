#include "runtime/Strings.hpp"

#include <gtest/gtest.h>

#include "runtime/Trap.hpp"
#include "support/ErrorNumber.hpp"

namespace tipolaria {
namespace {

// "Año Ñandú" : 9 characters, 12 bytes.
constexpr const char* kText =
    "A\xC3\xB1o \xC3\x91"
    "and\xC3\xBA";

TEST(StringsTest, CountsCharactersNotBytes) {
  EXPECT_EQ(Len(kText), 9);
  EXPECT_EQ(Left(kText, 2), "A\xC3\xB1");
  EXPECT_EQ(Left(kText, 99), kText);
  EXPECT_EQ(Right(kText, 4), "and\xC3\xBA");
  EXPECT_EQ(Right(kText, 0), "");
  EXPECT_EQ(Mid(kText, 5),
            "\xC3\x91"
            "and\xC3\xBA");
  EXPECT_EQ(Mid(kText, 2, 3), "\xC3\xB1o ");
  EXPECT_EQ(Mid(kText, 10), "");
  EXPECT_EQ(Mid(kText, 9, 5), "\xC3\xBA");
  EXPECT_EQ(InStr(1, kText, "and"), 6);
  EXPECT_EQ(InStr(7, kText, "and"), 0);
  EXPECT_EQ(InStr(1, kText, "\xC3\xBA"), 9);
  EXPECT_EQ(InStr(3, kText, ""), 3);
  EXPECT_EQ(InStr(1, "", "a"), 0);
  EXPECT_EQ(InStr(1, "abc", "C"), 0);  // binary comparison
  // A stray Latin-1 byte is one character and never matches inside a sequence.
  EXPECT_EQ(Len("a\xF1"
                "b"),
            3);
  EXPECT_EQ(Mid("a\xF1"
                "b",
                2, 1),
            "\xF1");
  EXPECT_EQ(InStr(1, "\xC3\xB1", "\xB1"), 0);
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
  EXPECT_EQ(UCase("a\xC3\xB1o \xC3\xA1\xC3\xA9\xC3\xBC \xC3\xB7 \xC3\xBF 1z"),
            "A\xC3\x91O \xC3\x81\xC3\x89\xC3\x9C \xC3\xB7 \xC5\xB8 1Z");
  EXPECT_EQ(UCase("\xC3\x9F"), "\xC3\x9F");  // ß has no single upper-case letter
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
