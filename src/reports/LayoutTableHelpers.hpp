// Shorthands for the layout tables (CaratulaLaserLayout.cpp,
// SubItemLaserLayout.cpp), one per kind of control as the form draws it, so
// that each row of a table reads like the row it transcribes.
#ifndef TIPOLARIA_REPORTS_LAYOUTTABLEHELPERS_HPP_
#define TIPOLARIA_REPORTS_LAYOUTTABLEHELPERS_HPP_

#include <cstdint>
#include <string>
#include <utility>

#include "reports/LayoutControl.hpp"

namespace tipolaria::detail {

// A framed cell of the form with its caption at the top left.
inline LayoutControl Cell(std::string name, std::int32_t left, std::int32_t top, std::int32_t width,
                          std::int32_t height, double size, std::string caption) {
  return LayoutControl::Label(std::move(name), left, top, width, height, size, std::move(caption),
                              LabelStyle::kCaption, TextAlign::kLeft, true);
}

// A caption at the top left of a cell that the layout's own lines rule: a
// frame of its own would draw a second, smaller box inside the cell.
inline LayoutControl RuledCell(std::string name, std::int32_t left, std::int32_t top,
                               std::int32_t width, std::int32_t height, double size,
                               std::string caption) {
  return LayoutControl::Label(std::move(name), left, top, width, height, size, std::move(caption),
                              LabelStyle::kCaption, TextAlign::kLeft, false);
}

// A framed cell whose caption is centred: the column headings.
inline LayoutControl Heading(std::string name, std::int32_t left, std::int32_t top,
                             std::int32_t width, std::int32_t height, double size,
                             std::string caption) {
  return LayoutControl::Label(std::move(name), left, top, width, height, size, std::move(caption),
                              LabelStyle::kCaption, TextAlign::kCenter, true);
}

// A centred caption without a frame.
inline LayoutControl Caption(std::string name, std::int32_t left, std::int32_t top,
                             std::int32_t width, std::int32_t height, double size,
                             std::string caption) {
  return LayoutControl::Label(std::move(name), left, top, width, height, size, std::move(caption),
                              LabelStyle::kCaption, TextAlign::kCenter, false);
}

// A narrow tall band whose caption reads bottom to top; framed when it is a
// band of the form, plain in the margin.
inline LayoutControl Vertical(std::string name, std::int32_t left, std::int32_t top,
                              std::int32_t width, std::int32_t height, double size,
                              std::string caption, bool framed) {
  return LayoutControl::Label(std::move(name), left, top, width, height, size, std::move(caption),
                              LabelStyle::kRotated, TextAlign::kCenter, framed);
}

// The copy number: its caption is replaced by NumeroCopias on every page.
inline LayoutControl CopyNumber(std::string name, std::int32_t left, std::int32_t top,
                                std::int32_t width, std::int32_t height, double size,
                                std::string caption, bool framed) {
  return LayoutControl::Label(std::move(name), left, top, width, height, size, std::move(caption),
                              LabelStyle::kCopyNumber, TextAlign::kCenter, framed);
}

// The bar-code label: its caption (*reference*) is drawn as Code 39 bars.
inline LayoutControl Barcode(std::string name, std::int32_t left, std::int32_t top,
                             std::int32_t width, std::int32_t height, double size,
                             std::string caption) {
  return LayoutControl::Label(std::move(name), left, top, width, height, size, std::move(caption),
                              LabelStyle::kBarcode, TextAlign::kCenter, false);
}

inline LayoutControl Field(std::string name, std::int32_t left, std::int32_t top,
                           std::int32_t width, std::int32_t height, double size,
                           std::string layout_text) {
  return LayoutControl::Field(std::move(name), left, top, width, height, size,
                              std::move(layout_text));
}

inline LayoutControl Line(std::string name, std::int32_t x1, std::int32_t y1, std::int32_t x2,
                          std::int32_t y2) {
  return LayoutControl::Line(std::move(name), x1, y1, x2, y2);
}

}  // namespace tipolaria::detail

#endif  // TIPOLARIA_REPORTS_LAYOUTTABLEHELPERS_HPP_
