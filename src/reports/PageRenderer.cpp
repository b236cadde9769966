#include "reports/PageRenderer.hpp"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "runtime/Utf8.hpp"

namespace tipolaria {
namespace {

constexpr double kPointsPerTwip = 1.0 / 20.0;
constexpr double kLineWidth = 0.5;
// The copy numerals print behind the form, in a grey that any value drawn
// over them still reads against.
constexpr double kCopyNumberGrey = 0.8;
// Height of the digits above the baseline, in ems: centres the numerals.
constexpr double kDigitHeight = 0.7;
// Printers spread toner or ink beyond the edge of a bar; thinner bars keep
// the narrow-to-wide ratio a scanner expects at 300 dpi.
constexpr double kBarThinning = 0.12;
constexpr double kBarLengthShare = 0.8;
// Room for whatever the box allows: no line is dropped for height.
constexpr double kUnbounded = 1e6;
// A line is narrowed for its glyphs in steps of 1/kNarrowingSteps, and
// never below kMinScale: a symbol far wider than its cell (%, @) may then
// touch its neighbours rather than make the whole line thin.
constexpr double kMinScale = 0.84375;

double Pt(std::int32_t twips) { return twips * kPointsPerTwip; }

}  // namespace

PageRenderer::PageRenderer(cairo_t* cr, const DrawingFont& font, cairo_surface_t* logo)
    : cr_(cr), font_(font), logo_(logo), texts_(LaidOutTexts::ForThisThread()) {
  cairo_set_font_face(cr_, font_.face());
}

bool PageRenderer::IsUnchanging(const LayoutControl& control) {
  // Captions, turned captions, the copy numerals, the logo and the bar code
  // (the reference, the same on every page of a declaration); the fields
  // change with the page.
  if (control.type == ControlType::kImage) return true;
  return control.type == ControlType::kLabel;
}

void PageRenderer::Draw(const Layout& layout, const std::vector<std::string>& texts) {
  DrawUnchanging(layout, texts);
  DrawChanging(layout, texts);
}

void PageRenderer::DrawUnchanging(const Layout& layout, const std::vector<std::string>& texts) {
  const std::vector<LayoutControl>& controls = layout.controls();
  // The copy numerals and the logo lie under the frames and the text.
  for (std::size_t i = 0; i < controls.size(); ++i) {
    const LayoutControl& control = controls[i];
    if (control.type == ControlType::kLabel && control.style == LabelStyle::kCopyNumber) {
      DrawCopyNumber(control, texts[i]);
    } else if (control.type == ControlType::kImage) {
      DrawLogo(control);
    }
  }

  const PageGeometry& geometry = layout.geometry();
  cairo_set_source_rgb(cr_, 0, 0, 0);
  DrawFrame(geometry);

  // The captions never overlap the fields' text, so drawing them all before
  // the fields gives the same page as drawing them in layout order.
  for (std::size_t i = 0; i < controls.size(); ++i) {
    const LayoutControl& control = controls[i];
    if (control.type != ControlType::kLabel) continue;
    if (control.style == LabelStyle::kCaption) {
      gathering_ = true;
      DrawText(layout, i, geometry.text_area(i), texts[i]);
      gathering_ = false;
    } else if (control.style == LabelStyle::kRotated) {
      ShowGathered();
      DrawRotatedCaption(layout, i, geometry.text_area(i), texts[i]);
    } else if (control.style == LabelStyle::kBarcode) {
      ShowGathered();
      DrawBarcode(control, texts[i]);
    }
  }
  ShowGathered();
}

void PageRenderer::DrawChanging(const Layout& layout, const std::vector<std::string>& texts) {
  const std::vector<LayoutControl>& controls = layout.controls();
  const PageGeometry& geometry = layout.geometry();
  cairo_set_source_rgb(cr_, 0, 0, 0);
  for (std::size_t i = 0; i < controls.size(); ++i) {
    const LayoutControl& control = controls[i];
    if (control.type == ControlType::kField) {
      gathering_ = true;
      DrawText(layout, i, geometry.text_area(i), texts[i]);
      gathering_ = false;
    }
  }
  ShowGathered();
}

void PageRenderer::DrawCopyNumber(const LayoutControl& control, const std::string& text) {
  // The numeral prints at the label's size whatever its number of digits,
  // as one line centred on the box; what passes the box's edges is clipped
  // like any label's text (a character wholly outside is not drawn at all).
  const double width = Pt(control.width);
  const double height = Pt(control.height);
  const double size = control.font_size;
  const std::u32string chars = DecodeUtf8(text);
  double advance = 0;
  for (char32_t c : chars) advance += AdvancePoints(c, size);
  PlacedLine line;
  line.baseline = (height + kDigitHeight * size) / 2;
  double x = (width - advance) / 2;
  for (char32_t c : chars) {
    const double cell = AdvancePoints(c, size);
    if (c >= 32 && x + cell > 0 && x < width) {
      line.chars.push_back(c);
      line.x.push_back(x);
      const std::size_t before = line.utf8.size();
      AppendUtf8(line.utf8, c);
      line.byte_counts.push_back(static_cast<int>(line.utf8.size() - before));
    }
    x += cell;
  }
  if (line.chars.empty()) return;
  cairo_save(cr_);
  cairo_rectangle(cr_, Pt(control.left), Pt(control.top), width, height);
  cairo_clip(cr_);
  cairo_set_source_rgb(cr_, kCopyNumberGrey, kCopyNumberGrey, kCopyNumberGrey);
  ShowLines({line}, size, Pt(control.left), Pt(control.top), width, kUnbounded);
  cairo_restore(cr_);
}

void PageRenderer::DrawLogo(const LayoutControl& control) {
  if (logo_ == nullptr) return;
  const int image_width = cairo_image_surface_get_width(logo_);
  const int image_height = cairo_image_surface_get_height(logo_);
  if (image_width <= 0 || image_height <= 0) return;
  const double width = Pt(control.width);
  const double height = Pt(control.height);
  const double scale = std::min(width / image_width, height / image_height);
  cairo_save(cr_);
  cairo_translate(cr_, Pt(control.left) + (width - image_width * scale) / 2,
                  Pt(control.top) + (height - image_height * scale) / 2);
  cairo_scale(cr_, scale, scale);
  cairo_set_source_surface(cr_, logo_, 0, 0);
  cairo_paint(cr_);
  cairo_restore(cr_);
}

void PageRenderer::DrawFrame(const PageGeometry& geometry) {
  for (const FrameLine& line : geometry.frame()) {
    cairo_move_to(cr_, line.x1, line.y1);
    cairo_line_to(cr_, line.x2, line.y2);
  }
  cairo_set_line_width(cr_, kLineWidth);
  cairo_stroke(cr_);
}

void PageRenderer::DrawText(const Layout& layout, std::size_t index, const TextArea& area,
                            const std::string& text) {
  ShowLines(texts_.LaidOut(layout, index, text, area.box), layout.control(index).font_size,
            area.left, area.top, area.box.width, area.box.height);
}

void PageRenderer::DrawRotatedCaption(const Layout& layout, std::size_t index, const TextArea& area,
                                      const std::string& text) {
  // In the turned frame the box's height is the line's length and its width
  // the room across the line; the lines are centred across it.
  const LayoutControl& control = layout.control(index);
  const TextBox& box = area.box;
  const std::vector<PlacedLine>& lines = texts_.LaidOut(layout, index, text, box);
  if (lines.empty()) return;
  const double line_height = kLineHeight * control.font_size;
  const double offset = std::max(0.0, (box.height - line_height * lines.size()) / 2);
  cairo_save(cr_);
  cairo_translate(cr_, Pt(control.left), Pt(control.bottom()));
  cairo_rotate(cr_, -std::numbers::pi / 2);
  ShowLines(lines, control.font_size, 0, offset, box.width, box.height - offset);
  cairo_restore(cr_);
}

void PageRenderer::DrawBarcode(const LayoutControl& control, const std::string& caption) {
  // The caption is the reference between Code 39's start and stop
  // characters, which the encoder adds itself.
  std::string_view data = caption;
  if (!data.empty() && data.front() == '*') data.remove_prefix(1);
  if (!data.empty() && data.back() == '*') data.remove_suffix(1);
  if (data.empty()) return;
  if (data != barcode_data_) {
    barcode_data_ = std::string(data);
    barcode_bars_ = Code39Bars(data);
  }
  if (barcode_bars_.empty()) return;

  // The symbol runs up the box from its bottom edge, as the turned captions
  // read. The bars fill the part of the box that a bar-code font's bars fill
  // of its line, which keeps them clear of the frame the box reaches into.
  const double x = Pt(control.left);
  const double width = Pt(control.width) * kBarLengthShare;
  const double bottom = Pt(control.bottom());
  const double module = Pt(control.height) / barcode_bars_.total_modules;
  for (const BarcodeBars::Bar& bar : barcode_bars_.bars) {
    const double length = bar.width * module;
    const double thinned = std::max(length - kBarThinning, length / 2);
    const double top = bottom - (bar.start + bar.width) * module + (length - thinned) / 2;
    cairo_rectangle(cr_, x, top, width, thinned);
  }
  cairo_set_source_rgb(cr_, 0, 0, 0);
  cairo_fill(cr_);
}

void PageRenderer::ShowLines(const std::vector<PlacedLine>& lines, double font_size,
                             double origin_x, double origin_y, double width, double height) {
  if (lines.empty()) return;
  const bool clip = lines.back().baseline + kFontDescent * font_size > height;
  // What was gathered goes first, as it comes first on the page.
  if (clip || !gathering_) ShowGathered();
  if (clip) {
    cairo_save(cr_);
    cairo_rectangle(cr_, origin_x, origin_y, width, height);
    cairo_clip(cr_);
  }
  for (const PlacedLine& line : lines) {
    glyphs_.clear();
    clusters_.clear();
    // A face whose glyphs are wider than the measuring font's (the capitals
    // of Liberation Sans against those of Trebuchet MS) would run glyphs
    // into each other at the built-in advances: the line is drawn narrowed,
    // as much as its widest glyph needs. One scale for the whole line keeps
    // its glyphs even and draws it in one piece.
    double scale = 1;
    for (char32_t c : line.chars) scale = std::min(scale, font_.GlyphFor(c).max_scale);
    scale = std::max(kMinScale, std::floor(scale * kNarrowingSteps) / kNarrowingSteps);
    // A line placed narrowed to its box has narrower cells, and its glyphs
    // narrow with them.
    const double x_scale = font_size * scale * line.scale;
    for (std::size_t k = 0; k < line.chars.size(); ++k) {
      // Each glyph sits centred in the cell that the built-in advance gives
      // it, so that a face narrower or wider than the measuring font spreads
      // the difference evenly instead of piling it up after the glyph.
      const char32_t c = line.chars[k];
      const DrawingFont::Glyph& glyph = font_.GlyphFor(c);
      const double shift = (AdvancePoints(c, font_size) * line.scale - glyph.advance * x_scale) / 2;
      glyphs_.push_back({glyph.index, origin_x + line.x[k] + shift, origin_y + line.baseline});
      clusters_.push_back({line.byte_counts[k], 1});
    }
    if (gathering_ && !clip) {
      if (gathered_.x_scale != x_scale || gathered_.y_scale != font_size) {
        ShowGathered();
        gathered_.x_scale = x_scale;
        gathered_.y_scale = font_size;
      }
      gathered_.utf8 += line.utf8;
      gathered_.glyphs.insert(gathered_.glyphs.end(), glyphs_.begin(), glyphs_.end());
      gathered_.clusters.insert(gathered_.clusters.end(), clusters_.begin(), clusters_.end());
      continue;
    }
    ShowRun(line.utf8, glyphs_, clusters_, x_scale, font_size);
  }
  if (clip) cairo_restore(cr_);
  cairo_set_source_rgb(cr_, 0, 0, 0);
}

void PageRenderer::ShowGathered() {
  GlyphRun& run = gathered_;
  if (run.glyphs.empty()) return;
  ShowRun(run.utf8, run.glyphs, run.clusters, run.x_scale, run.y_scale);
  // Emptied, not freed: the next run reuses the storage.
  run.utf8.clear();
  run.glyphs.clear();
  run.clusters.clear();
}

void PageRenderer::ShowRun(const std::string& utf8, const std::vector<cairo_glyph_t>& glyphs,
                           const std::vector<cairo_text_cluster_t>& clusters, double x_scale,
                           double y_scale) {
  cairo_matrix_t matrix;
  cairo_matrix_init_scale(&matrix, x_scale, y_scale);
  cairo_set_font_matrix(cr_, &matrix);
  cairo_show_text_glyphs(cr_, utf8.data(), static_cast<int>(utf8.size()), glyphs.data(),
                         static_cast<int>(glyphs.size()), clusters.data(),
                         static_cast<int>(clusters.size()), cairo_text_cluster_flags_t{});
}

}  // namespace tipolaria
