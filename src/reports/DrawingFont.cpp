#include "reports/DrawingFont.hpp"

#include <cairo-ft.h>

#include <algorithm>
#include <memory>

#include "reports/FontLocator.hpp"
#include "reports/ReportErrors.hpp"
#include "reports/TextLayout.hpp"
#include "tipolaria/error.hpp"

namespace tipolaria {
namespace {

// How far (in ems) the ink of a glyph may reach past its cell: the side
// bearings of the neighbours leave at least this much room.
constexpr double kInkOverhang = 0.025;

[[noreturn]] void RaiseFontError(const FontFile& file, cairo_status_t status) {
  throw ComError(kErrReportResource, kReportSource,
                 "Cannot load the font file " + file.path + ": " + cairo_status_to_string(status));
}

// Holds the FreeType face of a cairo scaled font while glyphs are looked up.
class FaceLock {
 public:
  explicit FaceLock(cairo_scaled_font_t* font)
      : font_(font), face_(cairo_ft_scaled_font_lock_face(font)) {}
  ~FaceLock() {
    if (face_ != nullptr) cairo_ft_scaled_font_unlock_face(font_);
  }
  FaceLock(const FaceLock&) = delete;
  FaceLock& operator=(const FaceLock&) = delete;
  FT_Face face() const { return face_; }

 private:
  cairo_scaled_font_t* font_;
  FT_Face face_;
};

}  // namespace

DrawingFont::DrawingFont() {
  const FontFile& file = DrawingFontFile();
  family_ = file.family;
  detail::PatternPtr pattern(FcPatternCreate());
  FcPatternAddString(pattern.get(), FC_FILE, reinterpret_cast<const FcChar8*>(file.path.c_str()));
  FcPatternAddInteger(pattern.get(), FC_INDEX, file.index);
  face_.reset(cairo_ft_font_face_create_for_pattern(pattern.get()));
  if (cairo_font_face_status(face_.get()) != CAIRO_STATUS_SUCCESS) {
    RaiseFontError(file, cairo_font_face_status(face_.get()));
  }
  cairo_matrix_t identity;
  cairo_matrix_init_identity(&identity);
  // Unhinted metrics: hinting would round advances to whole units of this
  // one-unit font.
  detail::FontOptionsPtr options(cairo_font_options_create());
  cairo_font_options_set_hint_metrics(options.get(), CAIRO_HINT_METRICS_OFF);
  cairo_font_options_set_hint_style(options.get(), CAIRO_HINT_STYLE_NONE);
  scaled_.reset(cairo_scaled_font_create(face_.get(), &identity, &identity, options.get()));
  if (cairo_scaled_font_status(scaled_.get()) != CAIRO_STATUS_SUCCESS) {
    RaiseFontError(file, cairo_scaled_font_status(scaled_.get()));
  }
}

const DrawingFont& DrawingFont::Shared() {
  // Not a function-local static object: a failed load must not be
  // remembered, the next print tries again.
  static std::mutex mutex;
  static std::unique_ptr<DrawingFont> font;
  std::lock_guard lock(mutex);
  if (!font) font = std::make_unique<DrawingFont>();
  return *font;
}

const DrawingFont::Glyph& DrawingFont::GlyphFor(char32_t c) const {
  if (c < latin1_.size()) {
    if (latin1_known_[c].load(std::memory_order_acquire)) return latin1_[c];
    std::lock_guard lock(mutex_);
    if (!latin1_known_[c].load(std::memory_order_relaxed)) {
      latin1_[c] = LookUp(c);
      latin1_known_[c].store(true, std::memory_order_release);
    }
    return latin1_[c];
  }
  std::lock_guard lock(mutex_);
  const auto it = others_.find(c);
  if (it != others_.end()) return it->second;
  return others_[c] = LookUp(c);
}

DrawingFont::Glyph DrawingFont::LookUp(char32_t c) const {
  Glyph glyph;
  {
    FaceLock lock(scaled_.get());
    if (lock.face() != nullptr) glyph.index = FT_Get_Char_Index(lock.face(), c);
  }
  // The scaled font is one unit high, so its advance is in ems.
  cairo_glyph_t probe{glyph.index, 0, 0};
  cairo_text_extents_t extents;
  cairo_scaled_font_glyph_extents(scaled_.get(), &probe, 1, &extents);
  glyph.advance = extents.x_advance;
  // Distances from the centre of the advance to the ends of the ink, which
  // scale with the glyph, against half the cell it is centred in.
  const double room = AdvancePoints(c, 1.0) / 2 + kInkOverhang;
  const double left_arm = glyph.advance / 2 - extents.x_bearing;
  const double right_arm = extents.x_bearing + extents.width - glyph.advance / 2;
  if (extents.width > 0) {
    for (double arm : {left_arm, right_arm}) {
      if (arm > room) glyph.max_scale = std::min(glyph.max_scale, room / arm);
    }
  }
  return glyph;
}

}  // namespace tipolaria
