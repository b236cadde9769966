#include "runtime/TextMetrics.hpp"

#include <gtest/gtest.h>

namespace tipolaria {
namespace {

TEST(TextMetricsTest, MeasuresInWholePixelsOfNinePixelEm) {
  struct Case {
    const char* text;
    int twips;
  } cases[] = {
      {"", 0},
      {" ", 45},             // 30 * 9 / 100 = 2.7 -> 3 px
      {"i", 45},             // 29 -> 2.61 -> 3 px
      {"W", 120},            // 85 -> 7.65 -> 8 px
      {"'", 15},             // 16 -> 1.44 -> 1 px
      {"AB", 150},           // 59 -> 5.31 -> 5; 57 -> 5.13 -> 5
      {"\r\n", 0},           // control characters measure nothing
      {"\xC3\x91", 90},      // Ñ as N: 64 -> 5.76 -> 6 px
      {"\xE2\x82\xAC", 75},  // € as x: 50 -> 4.5 -> 5 px (half rounds up)
  };
  for (const Case& c : cases) EXPECT_EQ(MeasureTwips(c.text), c.twips) << c.text;
}

TEST(TextMetricsTest, LatinOneLettersMeasureAsTheirBase) {
  EXPECT_EQ(BaseLetter(U'\u00E1'), U'a');
  EXPECT_EQ(BaseLetter(U'\u00C7'), U'C');
  EXPECT_EQ(BaseLetter(U'\u00FF'), U'y');
  EXPECT_EQ(BaseLetter(U'\u00DF'), U'\u00DF');  // no base letter: measured as x
  EXPECT_EQ(AdvanceHundredths(U'\u00DF'), AdvanceHundredths(U'x'));
}

}  // namespace
}  // namespace tipolaria
