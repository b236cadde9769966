// The font face that draws every text of a document (FontLocator.hpp), as a
// cairo FreeType face, with the glyph of each character looked up once. One
// per process (Shared), built at the first print and kept, so that no
// document loads the font again; safe to use from several threads at once.
// It owns its cairo objects and is not copied.
#ifndef TIPOLARIA_REPORTS_DRAWINGFONT_HPP_
#define TIPOLARIA_REPORTS_DRAWINGFONT_HPP_

#include <cairo.h>

#include <array>
#include <atomic>
#include <cstdint>
#include <mutex>
#include <string>
#include <unordered_map>

#include "reports/CairoPtr.hpp"

namespace tipolaria {

class DrawingFont {
 public:
  // The process's drawing font. Raises, and tries again at the next call,
  // when the font cannot be loaded.
  static const DrawingFont& Shared();

  DrawingFont();
  DrawingFont(const DrawingFont&) = delete;
  DrawingFont& operator=(const DrawingFont&) = delete;

  cairo_font_face_t* face() const { return face_.get(); }
  const std::string& family() const { return family_; }

  struct Glyph {
    unsigned long index = 0;  // 0: the missing-glyph box
    double advance = 0;       // the face's own advance, in ems
    // The largest horizontal scale at which the glyph, centred in the cell
    // of its built-in advance, keeps its ink within the cell (give or take
    // a hair that no neighbour's ink reaches); 1 for most glyphs.
    double max_scale = 1;
  };

  // The glyph that draws `c`.
  const Glyph& GlyphFor(char32_t c) const;

 private:
  Glyph LookUp(char32_t c) const;

  std::string family_;
  detail::FontFacePtr face_;
  detail::ScaledFontPtr scaled_;  // gives access to the FreeType face
  // Glyphs are looked up at their first use, under the mutex. A Latin-1
  // glyph once known is read without it; an element of others_ never moves
  // once added, so a reference to it stays valid.
  mutable std::mutex mutex_;
  mutable std::array<Glyph, 256> latin1_;
  mutable std::array<std::atomic<bool>, 256> latin1_known_{};
  mutable std::unordered_map<char32_t, Glyph> others_;
};

}  // namespace tipolaria

#endif  // TIPOLARIA_REPORTS_DRAWINGFONT_HPP_
