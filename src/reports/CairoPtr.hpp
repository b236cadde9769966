// Owning handles for the cairo and fontconfig objects of the PDF writer:
// each releases its object with the library's own destroy function.
#ifndef TIPOLARIA_REPORTS_CAIROPTR_HPP_
#define TIPOLARIA_REPORTS_CAIROPTR_HPP_

#include <cairo.h>
#include <fontconfig/fontconfig.h>

#include <memory>

namespace tipolaria::detail {

struct CairoDestroy {
  void operator()(cairo_t* p) const { cairo_destroy(p); }
  void operator()(cairo_surface_t* p) const { cairo_surface_destroy(p); }
  void operator()(cairo_font_face_t* p) const { cairo_font_face_destroy(p); }
  void operator()(cairo_scaled_font_t* p) const { cairo_scaled_font_destroy(p); }
  void operator()(cairo_font_options_t* p) const { cairo_font_options_destroy(p); }
  void operator()(FcPattern* p) const { FcPatternDestroy(p); }
};

using CairoPtr = std::unique_ptr<cairo_t, CairoDestroy>;
using SurfacePtr = std::unique_ptr<cairo_surface_t, CairoDestroy>;
using FontFacePtr = std::unique_ptr<cairo_font_face_t, CairoDestroy>;
using ScaledFontPtr = std::unique_ptr<cairo_scaled_font_t, CairoDestroy>;
using FontOptionsPtr = std::unique_ptr<cairo_font_options_t, CairoDestroy>;
using PatternPtr = std::unique_ptr<FcPattern, CairoDestroy>;

}  // namespace tipolaria::detail

#endif  // TIPOLARIA_REPORTS_CAIROPTR_HPP_
