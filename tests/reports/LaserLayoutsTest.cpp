#include "reports/LaserLayouts.hpp"

#include <gtest/gtest.h>

#include <string>

#include "reports/TextLayout.hpp"
#include "runtime/Utf8.hpp"

namespace tipolaria {
namespace {

constexpr std::int32_t kA4WidthTwips = 11906;
constexpr std::int32_t kA4HeightTwips = 16838;

int CountFields(const Layout& layout) {
  int fields = 0;
  for (const LayoutControl& c : layout.controls()) fields += c.type == ControlType::kField;
  return fields;
}

void ExpectBox(const Layout& layout, const std::string& name, std::int32_t left, std::int32_t top,
               std::int32_t width) {
  const int index = layout.Find(name);
  ASSERT_GE(index, 0) << name;
  const LayoutControl& c = layout.control(index);
  EXPECT_EQ(c.left, left) << name;
  EXPECT_EQ(c.top, top) << name;
  EXPECT_EQ(c.width, width) << name;
  EXPECT_EQ(c.height, 210) << name;
}

// Characters of a text that a box shows: line breaks are not shown.
std::size_t ShownChars(const std::string& text) {
  std::size_t count = 0;
  for (char32_t c : DecodeUtf8(text)) count += c >= 32;
  return count;
}

TEST(LaserLayoutsTest, CoverHasEveryFieldOfItsTablesAndGrid) {
  const Layout& cover = CaratulaLaserLayout();
  for (int n = 1; n <= 149; ++n) EXPECT_GE(cover.Find("c" + std::to_string(n)), 0) << n;
  EXPECT_GE(cover.Find("cQOR1"), 0);
  EXPECT_EQ(CountFields(cover), 150);
  EXPECT_LT(cover.Find("c150"), 0);
  // Corners of the settlement grid and one inner cell.
  ExpectBox(cover, "c71", 835, 11850, 480);
  ExpectBox(cover, "c76", 9915, 11850, 1700);
  ExpectBox(cover, "c98", 4140, 11850 + 225 * 4, 3250);
  ExpectBox(cover, "c125", 835, 11850 + 225 * 9, 480);
  ExpectBox(cover, "c130", 9915, 11850 + 225 * 9, 1700);
  EXPECT_EQ(cover.control(cover.Find("c20")).text, "********");
  EXPECT_EQ(cover.control(cover.Find("C20")).name, "c20");
}

TEST(LaserLayoutsTest, ContinuationHasHeaderBodyLinesAndFooter) {
  const Layout& page = SubItemLaserLayout();
  ExpectBox(page, "c5", 550, 1200, 11295);
  ExpectBox(page, "c66", 550, 14010, 11295);
  EXPECT_EQ(CountFields(page), 4 + 62 + 3);
  EXPECT_EQ(page.control(page.Find("c150")).text, "Field1");
  EXPECT_LT(page.Find("c67"), 0);
  EXPECT_LT(page.Find("cQOR0"), 0);
}

// The form's own texts (captions, asterisks, "Field1") show whole in their
// boxes and every box lies on the A4 page.
TEST(LaserLayoutsTest, EveryLayoutTextFitsItsBoxOnThePage) {
  for (const Layout* layout : {&CaratulaLaserLayout(), &SubItemLaserLayout()}) {
    for (std::size_t i = 0; i < layout->controls().size(); ++i) {
      const LayoutControl& c = layout->control(i);
      SCOPED_TRACE(layout->name() + "." + c.name);
      EXPECT_GE(std::min(c.left, c.right()), 0);
      EXPECT_LE(std::max(c.left, c.right()), kA4WidthTwips);
      EXPECT_GE(std::min(c.top, c.bottom()), 0);
      EXPECT_LE(std::max(c.top, c.bottom()), kA4HeightTwips);
      if (c.type == ControlType::kLine || c.type == ControlType::kImage) continue;
      if (c.style == LabelStyle::kCopyNumber || c.style == LabelStyle::kBarcode) continue;
      std::size_t placed = 0;
      for (const PlacedLine& line : LayOutText(c.text, layout->geometry().text_area(i).box)) {
        placed += line.chars.size();
      }
      EXPECT_EQ(placed, ShownChars(c.text)) << c.text;
    }
  }
}

}  // namespace
}  // namespace tipolaria
