// Places the text of a control in its box the way the form prints it, with
// the built-in advances of the measuring font (runtime/TextMetrics.hpp)
// scaled to the control's size, so that a page has the same geometry
// whichever font file draws it. Text breaks at CR LF, wraps at blanks when a
// line is wider than the box (a word wider than the box breaks between
// characters), and lines whose baseline falls below the box are dropped:
// what is placed is exactly what the page shows. A box lower than one line
// (some captions of the form) holds its line raised so that descenders end
// at its bottom edge, as far as the capitals still fit under its top edge.
// In the box of a field whose values the loaders fit (AjustarTexto), a line
// that the measuring form's font fits in the box is never wrapped: where
// the control's larger size makes it wider than the box, it is placed
// narrowed instead.
// Pure computation in points, relative to the box's top-left corner.
#ifndef TIPOLARIA_REPORTS_TEXTLAYOUT_HPP_
#define TIPOLARIA_REPORTS_TEXTLAYOUT_HPP_

#include <string>
#include <string_view>
#include <vector>

#include "reports/LayoutControl.hpp"

namespace tipolaria {

// Vertical metrics of the measuring font, in ems.
inline constexpr double kFontAscent = 0.939;
inline constexpr double kFontDescent = 0.222;
inline constexpr double kLineHeight = kFontAscent + kFontDescent;
inline constexpr double kCapHeight = 0.715;
// Lines are narrowed in steps of 1/kNarrowingSteps of their width, so that
// few scaled fonts are kept.
inline constexpr double kNarrowingSteps = 32;

struct PlacedLine {
  double baseline = 0;  // from the box top
  // The characters drawn, as UTF-8 (what a reader extracts), each with the
  // number of its bytes and its x from the box's left edge.
  std::string utf8;
  std::vector<char32_t> chars;
  std::vector<int> byte_counts;
  std::vector<double> x;
  double width = 0;  // advance of the line without its trailing blanks
  // Below 1 for a line drawn narrowed to its box: `x` and `width` are
  // narrowed already, the glyphs are to be drawn narrowed as much.
  double scale = 1;
};

struct TextBox {
  double width = 0;   // points
  double height = 0;  // points
  double font_size = 0;
  TextAlign align = TextAlign::kLeft;
  // The box of a field, whose lines the loaders fit with the measuring
  // form's font: a line that font fits in the box's width is placed on one
  // line.
  bool holds_fitted_lines = false;
};

// Advance of `c` in points at `font_size`.
double AdvancePoints(char32_t c, double font_size);

std::vector<PlacedLine> LayOutText(std::string_view text, const TextBox& box);

}  // namespace tipolaria

#endif  // TIPOLARIA_REPORTS_TEXTLAYOUT_HPP_
