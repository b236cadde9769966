// The logo a host supplies for the layouts' image box: a PNG file read once
// per print.
#ifndef TIPOLARIA_REPORTS_LOGOIMAGE_HPP_
#define TIPOLARIA_REPORTS_LOGOIMAGE_HPP_

#include <string>

#include "reports/CairoPtr.hpp"

namespace tipolaria {

// The image of `png`, or no image for empty text. A file that cannot be read
// as PNG is a resource error naming it.
detail::SurfacePtr LoadLogo(const std::string& png);

}  // namespace tipolaria

#endif  // TIPOLARIA_REPORTS_LOGOIMAGE_HPP_
