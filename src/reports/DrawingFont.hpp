// The font face that draws every text of a document (FontLocator.hpp), as a
// cairo FreeType face, with the glyph of each character looked up once. One
// per PDF writer; it owns its cairo objects and is not copied.
#ifndef TIPOLARIA_REPORTS_DRAWINGFONT_HPP_
#define TIPOLARIA_REPORTS_DRAWINGFONT_HPP_

#include <cairo.h>

#include <array>
#include <cstdint>
#include <string>
#include <unordered_map>

#include "reports/CairoPtr.hpp"

namespace tipolaria {

class DrawingFont {
 public:
  DrawingFont();
  DrawingFont(const DrawingFont&) = delete;
  DrawingFont& operator=(const DrawingFont&) = delete;

  cairo_font_face_t* face() const { return face_.get(); }
  const std::string& family() const { return family_; }

  // Glyph index of `c` in the face; 0 (the missing-glyph box) when absent.
  unsigned long GlyphIndex(char32_t c);

 private:
  unsigned long LookUp(char32_t c);

  std::string family_;
  detail::FontFacePtr face_;
  detail::ScaledFontPtr scaled_;          // gives access to the FreeType face
  std::array<std::int64_t, 256> latin1_;  // -1 until looked up
  std::unordered_map<char32_t, unsigned long> others_;
};

}  // namespace tipolaria

#endif  // TIPOLARIA_REPORTS_DRAWINGFONT_HPP_
