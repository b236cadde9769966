// Writes the pages of a print into one PDF file: A4 portrait, fonts
// embedded, extractable text, a document title. The document grows in a
// temporary file beside the target (TempOutputFile) and takes the target's
// name in Commit; a writer destroyed without Commit leaves no file. Owns its
// cairo surface and context, the drawing font and the logo.
#ifndef TIPOLARIA_REPORTS_PDFWRITER_HPP_
#define TIPOLARIA_REPORTS_PDFWRITER_HPP_

#include <memory>
#include <string>
#include <vector>

#include "reports/CairoPtr.hpp"
#include "reports/DrawingFont.hpp"
#include "reports/Layout.hpp"
#include "reports/PageRenderer.hpp"
#include "reports/TempOutputFile.hpp"

namespace tipolaria {

class PdfWriter {
 public:
  // A4 in points.
  static constexpr double kPageWidth = 595.276;
  static constexpr double kPageHeight = 841.89;

  // `logo_png` empty: no logo. Raises a path error naming `path` when its
  // folder cannot be written, a resource error when the logo cannot be read.
  PdfWriter(const std::string& path, const std::string& logo_png);
  ~PdfWriter();
  PdfWriter(const PdfWriter&) = delete;
  PdfWriter& operator=(const PdfWriter&) = delete;

  void AddPage(const Layout& layout, const std::vector<std::string>& texts);
  void SetTitle(const std::string& title);
  // Completes the document, still out of sight.
  void Finish();
  // Gives the completed document the target's name.
  void Commit();

  int page_count() const { return pages_; }

 private:
  void CheckStatus(cairo_status_t status);

  // Declared first so that it is destroyed last: the surface still writes
  // into it when it is destroyed unfinished.
  std::unique_ptr<TempOutputFile> file_;
  DrawingFont font_;
  detail::SurfacePtr logo_;
  detail::SurfacePtr surface_;
  detail::CairoPtr cr_;
  std::unique_ptr<PageRenderer> renderer_;
  int pages_ = 0;
};

}  // namespace tipolaria

#endif  // TIPOLARIA_REPORTS_PDFWRITER_HPP_
