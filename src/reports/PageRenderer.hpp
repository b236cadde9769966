// Draws one page of a layout with its control texts on a cairo context whose
// user space is the page in points, origin at the top-left corner. Holds no
// page state: the PDF writer keeps one for the document and calls Draw once
// per page. The font and the logo belong to the writer.
#ifndef TIPOLARIA_REPORTS_PAGERENDERER_HPP_
#define TIPOLARIA_REPORTS_PAGERENDERER_HPP_

#include <cairo.h>

#include <string>
#include <vector>

#include "reports/Code39.hpp"
#include "reports/DrawingFont.hpp"
#include "reports/Layout.hpp"
#include "reports/PageGeometry.hpp"
#include "reports/TextLayout.hpp"

namespace tipolaria {

class PageRenderer {
 public:
  // `logo` may be null: the image box then stays empty.
  PageRenderer(cairo_t* cr, DrawingFont& font, cairo_surface_t* logo);
  PageRenderer(const PageRenderer&) = delete;
  PageRenderer& operator=(const PageRenderer&) = delete;

  void Draw(const Layout& layout, const std::vector<std::string>& texts);

 private:
  void DrawCopyNumber(const LayoutControl& control, const std::string& text);
  void DrawLogo(const LayoutControl& control);
  void DrawFrame(const PageGeometry& geometry);
  // A caption or field: its text in its text area.
  void DrawText(std::size_t index, const LayoutControl& control, const TextArea& area,
                const std::string& text);
  void DrawRotatedCaption(std::size_t index, const LayoutControl& control, const TextArea& area,
                          const std::string& text);
  void DrawBarcode(const LayoutControl& control, const std::string& caption);
  // The lines of control `index` showing `text` in `box`. Most texts come
  // back on every page (captions, asterisks, the header), so the last
  // layout of each control is kept; a control's box never changes.
  const std::vector<PlacedLine>& LaidOut(std::size_t index, const std::string& text,
                                         const TextBox& box);
  // Draws placed lines relative to a box's top-left corner; clips to the box
  // when the last line's descent would pass its bottom edge.
  void ShowLines(const std::vector<PlacedLine>& lines, double font_size, double origin_x,
                 double origin_y, double width, double height);

  cairo_t* cr_;
  DrawingFont& font_;
  cairo_surface_t* logo_;
  std::vector<cairo_glyph_t> glyphs_;
  std::vector<cairo_text_cluster_t> clusters_;
  struct CachedText {
    bool valid = false;
    std::string text;
    std::vector<PlacedLine> lines;
  };
  const Layout* cached_layout_ = nullptr;
  std::vector<CachedText> cache_;
  std::string barcode_data_;  // the symbol is the same on every page
  BarcodeBars barcode_bars_;
};

}  // namespace tipolaria

#endif  // TIPOLARIA_REPORTS_PAGERENDERER_HPP_
