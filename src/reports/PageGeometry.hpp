// The geometry a page of a layout is drawn with, derived once from the
// layout's controls by rules that hold for any layout:
//
// - The frame: the layout's lines and the frames of its framed captions.
//   The layout puts neighbouring cells a few twips apart rather than edge on
//   edge; drawn as they stand, their frames would show doubled or thickened
//   lines. Parallel edges that close to each other are drawn as one line,
//   and ends that nearly meet a line across them reach it; a line of the
//   layout keeps at least the length the layout gives it.
// - The text area of every caption and field: the box its text is laid out
//   in, on the page. A field's is its own box, wherever the frame runs; a
//   field whose values the loaders fit (LayoutControl::fitted) keeps each
//   line they fit on one line. A framed caption keeps a small inset inside
//   its frame; a caption without a frame keeps the same insets, and clear
//   of a frame line that runs inside its box along an edge. A caption's
//   text area never reaches outside the control's own box, and loses
//   nothing of it to a line that lies outside.
//
// Pure computation; a Layout owns the geometry of its controls.
#ifndef TIPOLARIA_REPORTS_PAGEGEOMETRY_HPP_
#define TIPOLARIA_REPORTS_PAGEGEOMETRY_HPP_

#include <cstdint>
#include <vector>

#include "reports/LayoutControl.hpp"
#include "reports/TextLayout.hpp"

namespace tipolaria {

// A frame line as drawn, in points from the page's top-left corner: either
// vertical (x1 == x2) or horizontal (y1 == y2), from the lower coordinate to
// the higher.
struct FrameLine {
  double x1 = 0;
  double y1 = 0;
  double x2 = 0;
  double y2 = 0;

  bool vertical() const { return x1 == x2; }
};

// Where a control's text is laid out: `box` placed with its top-left corner
// at (left, top), in points from the page's top-left corner. For a turned
// caption, `box` is the turned box (its width runs along the lines) and
// (left, top) is the control's own corner.
struct TextArea {
  double left = 0;
  double top = 0;
  TextBox box;
};

class PageGeometry {
 public:
  // Parallel frame edges at most this far apart (in twips) that run along
  // each other are drawn as one line.
  static constexpr std::int32_t kMergeDistance = 50;
  // Room kept between text and a frame line beside it, in twips.
  static constexpr std::int32_t kClearance = 40;

  explicit PageGeometry(const std::vector<LayoutControl>& controls);

  const std::vector<FrameLine>& frame() const { return frame_; }
  // Meaningful for labels and fields; empty for lines and images.
  const TextArea& text_area(std::size_t index) const { return text_areas_[index]; }

 private:
  std::vector<FrameLine> frame_;
  std::vector<TextArea> text_areas_;
};

}  // namespace tipolaria

#endif  // TIPOLARIA_REPORTS_PAGEGEOMETRY_HPP_
