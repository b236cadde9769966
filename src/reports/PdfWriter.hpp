// Writes the pages of a print into one PDF file: A4 portrait, fonts
// embedded, extractable text, a document title. The document grows in a
// temporary file beside the target (TempOutputFile) and takes the target's
// name in Commit; a writer destroyed without Commit leaves no file. Owns its
// cairo surface and context, the logo and the recording of the pages'
// unchanging half; the drawing font is the process's.
//
// A document of several pages draws the unchanging half of its pages
// (captions, frame, copy numerals, logo, bar code) once, into a recording that each
// page paints: the PDF then holds it once, as a form every page refers to,
// which halves the work per page and shrinks the file. A one-page document
// draws it directly, which costs less than a recording. Either way a reader
// sees the same page.
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

  // `logo_png` empty: no logo. `several_pages`: the document will have more
  // than one page. Raises a path error naming `path` when its folder cannot
  // be written, a resource error when the logo cannot be read.
  PdfWriter(const std::string& path, const std::string& logo_png, bool several_pages = false);
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
  // Paints the unchanging half of the page from the recording, recording it
  // first when the page's differs from the one recorded.
  void PaintUnchanging(const Layout& layout, const std::vector<std::string>& texts);

  // Declared first so that it is destroyed last: the surface still writes
  // into it when it is destroyed unfinished.
  std::unique_ptr<TempOutputFile> file_;
  const DrawingFont& font_;
  detail::SurfacePtr logo_;
  bool several_pages_;
  // The recording of the unchanging half, with the layout and the texts of
  // its controls it was drawn from.
  detail::SurfacePtr unchanging_;
  const Layout* unchanging_layout_ = nullptr;
  std::vector<std::string> unchanging_texts_;
  detail::SurfacePtr surface_;
  detail::CairoPtr cr_;
  std::unique_ptr<PageRenderer> renderer_;
  int pages_ = 0;
};

}  // namespace tipolaria

#endif  // TIPOLARIA_REPORTS_PDFWRITER_HPP_
