// Draws one page of a layout with its control texts on a cairo context whose
// user space is the page in points, origin at the top-left corner. Holds no
// page state: the PDF writer keeps one for the document and calls Draw once
// per page. A page is its unchanging half (captions, frame, copy numerals,
// logo, bar code), which a writer may draw once per document and paint on
// each page, under its changing half (fields). The font is shared by the
// process, the logo belongs to the writer, the laid-out texts to the thread
// (LaidOutTexts).
#ifndef TIPOLARIA_REPORTS_PAGERENDERER_HPP_
#define TIPOLARIA_REPORTS_PAGERENDERER_HPP_

#include <cairo.h>

#include <string>
#include <vector>

#include "reports/Code39.hpp"
#include "reports/DrawingFont.hpp"
#include "reports/LaidOutTexts.hpp"
#include "reports/Layout.hpp"
#include "reports/PageGeometry.hpp"
#include "reports/TextLayout.hpp"

namespace tipolaria {

class PageRenderer {
 public:
  // `logo` may be null: the image box then stays empty.
  PageRenderer(cairo_t* cr, const DrawingFont& font, cairo_surface_t* logo);
  PageRenderer(const PageRenderer&) = delete;
  PageRenderer& operator=(const PageRenderer&) = delete;

  // The whole page: DrawUnchanging, then DrawChanging.
  void Draw(const Layout& layout, const std::vector<std::string>& texts);
  void DrawUnchanging(const Layout& layout, const std::vector<std::string>& texts);
  void DrawChanging(const Layout& layout, const std::vector<std::string>& texts);
  // Whether `control` belongs to the unchanging half.
  static bool IsUnchanging(const LayoutControl& control);

 private:
  void DrawCopyNumber(const LayoutControl& control, const std::string& text);
  void DrawLogo(const LayoutControl& control);
  void DrawFrame(const PageGeometry& geometry);
  // A caption or field: its text in its text area.
  void DrawText(const Layout& layout, std::size_t index, const TextArea& area,
                const std::string& text);
  void DrawRotatedCaption(const Layout& layout, std::size_t index, const TextArea& area,
                          const std::string& text);
  void DrawBarcode(const LayoutControl& control, const std::string& caption);
  // Draws placed lines relative to a box's top-left corner; clips to the box
  // when the last line's descent would pass its bottom edge.
  void ShowLines(const std::vector<PlacedLine>& lines, double font_size, double origin_x,
                 double origin_y, double width, double height);
  // Draws the lines gathered so far (below) as one run, and empties it.
  void ShowGathered();
  // One cairo run of glyphs with their text, at a font matrix of these scales.
  void ShowRun(const std::string& utf8, const std::vector<cairo_glyph_t>& glyphs,
               const std::vector<cairo_text_cluster_t>& clusters, double x_scale, double y_scale);

  // Every cairo operation costs the PDF surface a good deal beyond its
  // glyphs (recorded, analysed and replayed at the page's end), so while the
  // captions or the fields are drawn, consecutive black lines of one font
  // matrix that need no clip are gathered and shown as one run. The page's
  // text keeps its order and each glyph its position: the PDF reads and
  // shows the same.
  struct GlyphRun {
    std::string utf8;
    std::vector<cairo_glyph_t> glyphs;
    std::vector<cairo_text_cluster_t> clusters;
    double x_scale = 0;
    double y_scale = 0;
  };
  bool gathering_ = false;
  GlyphRun gathered_;

  cairo_t* cr_;
  const DrawingFont& font_;
  cairo_surface_t* logo_;
  LaidOutTexts& texts_;
  std::vector<cairo_glyph_t> glyphs_;
  std::vector<cairo_text_cluster_t> clusters_;
  std::string barcode_data_;  // the symbol is the same on every page
  BarcodeBars barcode_bars_;
};

}  // namespace tipolaria

#endif  // TIPOLARIA_REPORTS_PAGERENDERER_HPP_
