#include "reports/TextLayout.hpp"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace tipolaria {
namespace {

// Built-in advances at 10 pt: "a" 5.3, "b" 5.6, blank 3.0, "M" 7.1.
constexpr double kSize = 10;

std::vector<std::string> Lines(const std::string& text, double width, double height,
                               TextAlign align = TextAlign::kLeft) {
  std::vector<std::string> lines;
  for (const PlacedLine& line : LayOutText(text, TextBox{width, height, kSize, align})) {
    lines.push_back(line.utf8);
  }
  return lines;
}

TEST(TextLayoutTest, BreaksWrapsAndDropsAsTheFormPrints) {
  struct Case {
    const char* text;
    double width;
    double height;
    std::vector<std::string> lines;
  };
  const double one_line = 12;     // one line of 11.61 pt
  const double three_lines = 35;  // three lines, the third's baseline at 32.6
  const Case cases[] = {
      {"", 100, one_line, {}},
      {"ab", 100, one_line, {"ab"}},
      {"ab\r\nba", 100, three_lines, {"ab", "ba"}},
      {"ab\nba\rab", 100, three_lines, {"ab", "ba", "ab"}},
      {"a\r\n\r\nb", 100, three_lines, {"a", "b"}},  // the empty line still takes its place
      // 5.3 + 5.6 + 3 + 5.6 + 5.3 = 24.8 pt does not fit 20 pt: wraps at the blank.
      {"ab ba", 20, three_lines, {"ab", "ba"}},
      {"ab ba", 24.8, one_line, {"ab ba"}},
      {"ab   ba", 20, three_lines, {"ab", "ba"}},
      {"  ab", 20, one_line, {"  ab"}},  // leading blanks indent, they do not wrap
      {"ab  ", 11, one_line, {"ab"}},    // trailing blanks hang off the edge
      // A word wider than the box breaks between characters.
      {"ababab", 12, three_lines, {"ab", "ab", "ab"}},
      // Lines whose baseline falls below the box are not drawn at all.
      {"ab\r\nba\r\nab\r\nba", 100, three_lines, {"ab", "ba", "ab"}},
      // A box lower than a line holds it raised; one lower than the capitals
      // holds nothing.
      {"ab", 100, 9, {"ab"}},
      {"ab", 100, 7, {}},
      // A character wider than the box has nowhere to go.
      {"M", 5, one_line, {}},
      {"a\tb", 100, one_line, {"ab"}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Lines(c.text, c.width, c.height), c.lines)
        << "'" << c.text << "' in " << c.width << " x " << c.height;
  }
}

// In the box of a field whose values the loaders fit, a line that the
// measuring form's font (6.75 pt, rounded to whole pixels) fits in the box
// stays one line, narrowed in whole steps as far as the box needs; one it
// does not fit wraps as any text. "ab ba" measures 345 twips and prints
// 24.8 pt wide at 10 pt.
TEST(TextLayoutTest, FittedLinesStayWholeNarrowedToTheBox) {
  struct Case {
    const char* text;
    double width;
    std::vector<std::string> lines;
    double scale;
  };
  const Case cases[] = {
      {"ab ba", 30, {"ab ba"}, 1},
      {"ab ba", 20, {"ab ba"}, 25.0 / 32},
      {"ab ba", 17.25, {"ab ba"}, 22.0 / 32},  // exactly the measured width
      {"ab ba   ", 17.25, {"ab ba"}, 22.0 / 32},
      {"ab ba\r\nab", 20, {"ab ba", "ab"}, 25.0 / 32},
      {"ab ba", 17.2, {"ab", "ba"}, 1},  // a twip short: the line wraps
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string("'") + c.text + "' in " + std::to_string(c.width));
    TextBox box{c.width, 35, kSize, TextAlign::kLeft};
    box.holds_fitted_lines = true;
    const std::vector<PlacedLine> placed = LayOutText(c.text, box);
    std::vector<std::string> lines;
    for (const PlacedLine& line : placed) lines.push_back(line.utf8);
    EXPECT_EQ(lines, c.lines);
    ASSERT_FALSE(placed.empty());
    EXPECT_DOUBLE_EQ(placed[0].scale, c.scale);
    EXPECT_LE(placed[0].width, c.width);
    if (placed[0].x.size() == 5) {
      EXPECT_DOUBLE_EQ(placed[0].x[3], (5.3 + 5.6 + 3) * c.scale);
    }
  }
}

TEST(TextLayoutTest, PlacesGlyphsAtBuiltInAdvances) {
  const std::vector<PlacedLine> lines =
      LayOutText("Ñab", TextBox{100, 30, kSize, TextAlign::kLeft});
  ASSERT_EQ(lines.size(), 1u);
  // "Ñ" measures as "N" (6.4 pt) and takes two bytes.
  ASSERT_EQ(lines[0].x.size(), 3u);
  EXPECT_DOUBLE_EQ(lines[0].x[1], 6.4);
  EXPECT_DOUBLE_EQ(lines[0].x[2], 6.4 + 5.3);
  EXPECT_EQ(lines[0].byte_counts[0], 2);
  EXPECT_DOUBLE_EQ(lines[0].baseline, kFontAscent * kSize);

  // In a box lower than a line the descenders end at its bottom edge, but
  // the capitals never rise above its top edge.
  for (const auto& [height, baseline] :
       {std::pair{10.0, 10.0 - kFontDescent * kSize}, std::pair{7.5, kCapHeight * kSize}}) {
    const std::vector<PlacedLine> low = LayOutText("ab", TextBox{100, height, kSize});
    ASSERT_EQ(low.size(), 1u) << height;
    EXPECT_DOUBLE_EQ(low[0].baseline, baseline) << height;
  }

  const std::vector<PlacedLine> centred =
      LayOutText("ab ", TextBox{20.9, 30, kSize, TextAlign::kCenter});
  ASSERT_EQ(centred.size(), 1u);
  EXPECT_DOUBLE_EQ(centred[0].x[0], (20.9 - 10.9) / 2);  // the trailing blank does not count
}

}  // namespace
}  // namespace tipolaria
