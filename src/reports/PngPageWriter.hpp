// Writes printed pages as PNG pictures, for a quick look at a print without
// a PDF reader. Each page is drawn by the same renderer as the PDF, on an
// image surface, into a temporary file that the print puts in place with
// the PDF, when everything is written.
#ifndef TIPOLARIA_REPORTS_PNGPAGEWRITER_HPP_
#define TIPOLARIA_REPORTS_PNGPAGEWRITER_HPP_

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "reports/CairoPtr.hpp"
#include "reports/DrawingFont.hpp"
#include "reports/Layout.hpp"
#include "reports/TempOutputFile.hpp"

namespace tipolaria {

class PngPageWriter {
 public:
  // Resolution of the pictures: A4 at 100 dpi is 827 x 1169 pixels.
  static constexpr double kDotsPerInch = 100;

  // Pages are written to `folder` as `<stem>-<page>.png` (page with three
  // digits). The folder is created when missing; raises a path error naming
  // it when it cannot be.
  PngPageWriter(std::string folder, std::string stem, const std::string& logo_png);
  PngPageWriter(const PngPageWriter&) = delete;
  PngPageWriter& operator=(const PngPageWriter&) = delete;

  // The picture of one page, complete and still out of sight: Commit gives
  // it its name.
  std::unique_ptr<TempOutputFile> WritePage(std::int16_t page, const Layout& layout,
                                            const std::vector<std::string>& texts);

 private:
  std::string folder_;
  std::string stem_;
  const DrawingFont& font_;
  detail::SurfacePtr logo_;
};

}  // namespace tipolaria

#endif  // TIPOLARIA_REPORTS_PNGPAGEWRITER_HPP_
