#include "common/UtilFnc.hpp"

#include <gtest/gtest.h>

#include "runtime/Trap.hpp"
#include "support/ErrorNumber.hpp"

namespace tipolaria {
namespace {

// Widths in the measuring font: A B C D E F = 75 twips each, G H = 90, I = 45,
// J = 60, a blank = 45. So "AAAA" = 300, "AAAA BBBB" = 645, three words 990.

TEST(AjustarTextoTest, OneLineKeepsWhatFitsAndCutsWhatDoesNot) {
  struct Case {
    const char* text;
    int width;
    const char* fitted;
  } cases[] = {
      {"HOLA MUNDO", 10000, "HOLA MUNDO"},  // no CR LF in single-line mode
      {"   HOLA   ", 10000, "HOLA"},        // measured and returned trimmed
      {"ABCDEFGHIJ", 735, "ABCDEFGHIJ"},    // equal to the width fits
      {"ABCDEFGHIJ", 500, "ABCD..."},       // 7 characters overflow: keep 7 - 3
      {"ABCDEFGHIJ", 540, "ABCDE..."},
      {"AB", 10, "..."},  // narrower than anything: nothing is kept, never a failure
      {"", 100, ""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(AjustarTexto(c.text, c.width, 1), c.fitted) << c.text << " @" << c.width;
  }
}

TEST(AjustarTextoTest, SeveralLinesBreakAtBlanksAndEndEachLine) {
  struct Case {
    const char* text;
    int width;
    int lines;
    const char* fitted;
  } cases[] = {
      {"HOLA MUNDO", 10000, 2, "HOLA MUNDO\r\n"},
      {"  HOLA MUNDO  ", 10000, 5, "HOLA MUNDO\r\n"},
      {"AAAA BBBB CCCC", 700, 2, "AAAA BBBB\r\nCCCC\r\n"},
      {"AAAA BBBB CCCC DDDD", 700, 3, "AAAA BBBB\r\nCCCC DDDD\r\n"},
      // The last permitted line ends in "..." when text is left over.
      {"AAAA BBBB CCCC DDDD EEEE", 700, 2, "AAAA BBBB\r\nCCCC DDDD...\r\n"},
      {"AAAA BBBB CCCC DDDD EEEE FFFF", 700, 2, "AAAA BBBB\r\nCCCC DD...\r\n"},
      // The rest goes on the next line unmeasured.
      {"AAAA ABCDEFGHIJABCDEFGHIJ", 500, 2, "AAAA\r\nABCDEFGHIJABCDEFGHIJ\r\n"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(AjustarTexto(c.text, c.width, c.lines), c.fitted) << c.text << " @" << c.width;
  }
}

TEST(AjustarTextoTest, AWordWiderThanTheBoxIsCut) {
  EXPECT_EQ(AjustarTexto("ABCDEFGHIJ", 500, 2), "ABCDEF\r\nGHIJ\r\n");
  EXPECT_EQ(AjustarTexto("ABCDEFGHIJ AB", 500, 2), "ABCDEF\r\nGHIJ AB\r\n");
  // On the last line the cut ends in "..." ("GHIJA" + "..." is 495 twips).
  EXPECT_EQ(AjustarTexto("ABCDEFGHIJABCDEFGHIJ", 500, 2), "ABCDEF\r\nGHIJA...\r\n");
  // A box narrower than a character still ends, one character a line.
  EXPECT_EQ(AjustarTexto("ABCDEFGHIJ", 10, 3), "A\r\nB\r\n...\r\n");
}

TEST(BuscarEnColeccionTest, PrefixesReadAsNumbersFindTheFirstMatchFromTheStart) {
  struct Case {
    std::string key;
    std::vector<std::string> items;
    std::int32_t prefix, start;
    bool found;
    std::string key_after;
    std::int32_t start_after;
  } cases[] = {
      {"13", {"012X", "013Y", "013Z"}, 3, 1, true, "013Y", 2},
      {" 74", {"0000000010 10", "0000000074 74"}, 10, 1, true, "0000000074 74", 2},  // as numbers
      {"13", {"013Y", "013Z"}, 3, 2, true, "013Z", 2},  // the search starts at 2
      {"12", {"012X", "013Y"}, 3, 2, false, "12", 2},
      // Prefixes and key are 16-bit integers: fractions round half to even.
      {"12,6", {"012X", "013Y"}, 3, 1, true, "013Y", 2},
      {"12,5", {"013Y", "012X"}, 3, 1, true, "012X", 2},
      {"13", {"12,6Z", "013Y"}, 4, 1, true, "12,6Z", 1},
  };
  for (Case& c : cases) {
    EXPECT_EQ(BuscarEnColeccion(c.key, c.items, c.prefix, c.start), c.found) << c.key;
    EXPECT_EQ(c.key, c.key_after);
    EXPECT_EQ(c.start, c.start_after) << c.key;
  }
  std::string key = "1";
  std::int32_t index = 1;
  EXPECT_EQ(ErrorNumber([&] { BuscarEnColeccion(key, {"XY"}, 2, index); }), kErrTypeMismatch);
  EXPECT_EQ(ErrorNumber([&] { BuscarEnColeccion(key, {"40000"}, 5, index); }), kErrOverflow);
  key = "40000";
  EXPECT_EQ(ErrorNumber([&] { BuscarEnColeccion(key, {"012X"}, 3, index); }), kErrOverflow);
  EXPECT_FALSE(BuscarEnColeccion(key, {}, 3, index));  // nothing to compare with
}

TEST(UtilFncTest, NullSafeConversions) {
  EXPECT_EQ(ValorTexto(Value()), "");
  EXPECT_EQ(ValorTexto(Value(5)), "5");
  EXPECT_EQ(ValorTexto(Value(*Decimal::Parse("1234.5"))), "1234,5");
  EXPECT_TRUE(ValorDecimal(Value()).IsZero());
  EXPECT_EQ(ValorDecimal(Value("12,5")), *Decimal::Parse("12.5"));
  EXPECT_EQ(ErrorNumber([] { ValorDecimal(Value("abc")); }), kErrTypeMismatch);
}

}  // namespace
}  // namespace tipolaria
