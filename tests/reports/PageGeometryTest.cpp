#include "reports/PageGeometry.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "reports/LaserLayouts.hpp"
#include "reports/LayoutTableHelpers.hpp"

namespace tipolaria {
namespace {

using detail::Cell;
using detail::Field;
using detail::Line;
using detail::RuledCell;

constexpr double kTwip = 1.0 / 20.0;

std::string Describe(const FrameLine& line) {
  return "(" + std::to_string(line.x1) + ", " + std::to_string(line.y1) + ") to (" +
         std::to_string(line.x2) + ", " + std::to_string(line.y2) + ")";
}

std::vector<std::string> Frame(const PageGeometry& geometry) {
  std::vector<std::string> lines;
  for (const FrameLine& line : geometry.frame()) lines.push_back(Describe(line));
  return lines;
}

// A line from (x1, y1) to (x2, y2), in twips.
std::string Drawn(double x1, double y1, double x2, double y2) {
  return Describe(FrameLine{x1 * kTwip, y1 * kTwip, x2 * kTwip, y2 * kTwip});
}

void ExpectArea(const PageGeometry& geometry, std::size_t index, double left, double top,
                double right, double bottom) {
  const TextArea& area = geometry.text_area(index);
  EXPECT_DOUBLE_EQ(area.left, left * kTwip) << index;
  EXPECT_DOUBLE_EQ(area.top, top * kTwip) << index;
  EXPECT_DOUBLE_EQ(area.box.width, (right - left) * kTwip) << index;
  EXPECT_DOUBLE_EQ(area.box.height, (bottom - top) * kTwip) << index;
}

TEST(PageGeometryTest, EdgesThatNearlyMeetAreDrawnAsOneLine) {
  // Two cells 20 twips apart and a line 10 twips right of the second: one
  // line between the cells, at the left side of the second (where the
  // layout anchors it), the line in place of the second's right side, and
  // the tops and bottoms as single lines reaching both ends.
  const PageGeometry near({Cell("A", 1000, 1000, 2000, 400, 7, ""),
                           Cell("B", 3020, 1005, 1500, 400, 7, ""),
                           Line("L", 4530, 900, 4530, 1500)});
  EXPECT_EQ(Frame(near),
            (std::vector<std::string>{Drawn(1000, 1000, 4530, 1000), Drawn(1000, 1400, 4530, 1400),
                                      Drawn(1000, 1000, 1000, 1400), Drawn(3020, 1000, 3020, 1400),
                                      Drawn(4530, 900, 4530, 1500)}));

  // Farther apart than the merge distance, both sides stay where they are.
  const PageGeometry apart(
      {Cell("A", 1000, 1000, 2000, 400, 7, ""), Cell("B", 3060, 1000, 1500, 400, 7, "")});
  EXPECT_EQ(Frame(apart).size(), 8u);
}

TEST(PageGeometryTest, FieldsKeepTheirBoxesCaptionsKeepClearOfTheFrame) {
  const std::vector<LayoutControl> controls = {
      Cell("Label15", 1000, 1000, 2000, 450, 7, "  Via"),
      // Fields show their text in their own boxes, wherever the frame runs:
      // one begun 35 twips left of its cell's line, one ending 30 twips
      // past the cell's right line, one begun 5 twips above a line.
      Field("c12", 965, 1160, 1500, 210, 7, ""),
      Field("c14", 2600, 1160, 430, 210, 7, ""),
      Line("Line1", 500, 1700, 3500, 1700),
      Field("c16", 1100, 1695, 1000, 210, 7, ""),
      // Captions without a frame keep their insets and keep clear of a line
      // along an edge inside their box ...
      RuledCell("Label91", 965, 1200, 1500, 225, 8.5, "PAGADO"),
      RuledCell("Label92", 1100, 1690, 1000, 225, 8.5, "GARANTIZADO"),
      // ... but not of a line deep inside, which runs through the box.
      Line("Line2", 5000, 500, 5000, 3000),
      RuledCell("Label93", 4500, 2000, 1000, 225, 8.5, "A COBRAR"),
      // A caption whose frame is drawn a little inside its box, where the
      // next cell begins.
      Cell("Label30", 1000, 2500, 1000, 400, 7, "  Aduana"),
      Cell("Label31", 1990, 2500, 1000, 400, 7, "  Cond. Venta"),
  };
  const PageGeometry geometry(controls);
  ExpectArea(geometry, 1, 965, 1160, 2465, 1370);
  ExpectArea(geometry, 2, 2600, 1160, 3030, 1370);
  ExpectArea(geometry, 4, 1100, 1695, 2100, 1905);
  ExpectArea(geometry, 5, 1000 + PageGeometry::kClearance, 1210, 2445, 1425);
  ExpectArea(geometry, 6, 1120, 1710, 2080, 1915);
  ExpectArea(geometry, 8, 4520, 2010, 5480, 2225);
  // Framed captions keep an inset inside their frames.
  ExpectArea(geometry, 0, 1020, 1010, 2980, 1450);
  ExpectArea(geometry, 9, 1020, 2510, 1970, 2900);
}

// On both layouts of the form: no doubled lines are left, no line stops
// short of a line across it, the lines of the layout keep their length
// (Line10 to Line12 begin by the band of the settlement, past the line of
// its cells), and the fields that the layout begins left of the form's left
// line (c12, c16, c20) keep their boxes.
TEST(PageGeometryTest, LaserLayoutsDrawOneLinePerEdgeAndLinesAsLong) {
  const double merge = PageGeometry::kMergeDistance * kTwip;
  for (const Layout* layout : {&CaratulaLaserLayout(), &SubItemLaserLayout()}) {
    SCOPED_TRACE(layout->name());
    const std::vector<FrameLine>& frame = layout->geometry().frame();
    for (const FrameLine& a : frame) {
      for (const FrameLine& b : frame) {
        if (&a == &b) continue;
        if (a.vertical() == b.vertical()) {
          const double distance = a.vertical() ? std::abs(a.x1 - b.x1) : std::abs(a.y1 - b.y1);
          const double along = a.vertical() ? std::min(a.y2, b.y2) - std::max(a.y1, b.y1)
                                            : std::min(a.x2, b.x2) - std::max(a.x1, b.x1);
          EXPECT_FALSE(distance <= merge && along > 0) << Describe(a) << " doubles " << Describe(b);
        } else if (!a.vertical()) {
          // a horizontal, b vertical and passing its height, not crossing it
          if (a.y1 < b.y1 || a.y1 > b.y2 || (b.x1 >= a.x1 && b.x1 <= a.x2)) continue;
          const double gap = std::min(std::abs(a.x1 - b.x1), std::abs(a.x2 - b.x1));
          EXPECT_GT(gap, merge) << Describe(a) << " stops short of " << Describe(b);
        }
      }
    }
    for (const LayoutControl& c : layout->controls()) {
      if (c.type != ControlType::kLine) continue;
      const double x1 = std::min(c.left, c.right()) * kTwip;
      const double x2 = std::max(c.left, c.right()) * kTwip;
      const double y1 = std::min(c.top, c.bottom()) * kTwip;
      const double y2 = std::max(c.top, c.bottom()) * kTwip;
      EXPECT_TRUE(std::any_of(frame.begin(), frame.end(),
                              [&](const FrameLine& f) {
                                return f.x1 <= x1 && f.x2 >= x2 && f.y1 <= y1 && f.y2 >= y2 &&
                                       (f.vertical() ? f.x1 == x1 : f.y1 == y1);
                              }))
          << c.name << " is drawn shorter than " << Describe(FrameLine{x1, y1, x2, y2});
    }
  }
  const Layout& cover = CaratulaLaserLayout();
  for (const char* name : {"c12", "c16", "c20"}) {
    const int index = cover.Find(name);
    const LayoutControl& c = cover.control(index);
    const TextArea& area = cover.geometry().text_area(index);
    EXPECT_DOUBLE_EQ(area.left, c.left * kTwip) << name;
    EXPECT_DOUBLE_EQ(area.box.width, c.width * kTwip) << name;
  }
}

}  // namespace
}  // namespace tipolaria
