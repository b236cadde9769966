#include "reports/PdfWriter.hpp"

#include <cairo-pdf.h>

#include "reports/LogoImage.hpp"
#include "reports/ReportErrors.hpp"
#include "tipolaria/error.hpp"

namespace tipolaria {

namespace {

// The texts of the unchanging controls of a page, in layout order.
std::vector<std::string> UnchangingTexts(const Layout& layout,
                                         const std::vector<std::string>& texts) {
  std::vector<std::string> result;
  for (std::size_t i = 0; i < layout.controls().size(); ++i) {
    if (PageRenderer::IsUnchanging(layout.control(i))) result.push_back(texts[i]);
  }
  return result;
}

}  // namespace

PdfWriter::PdfWriter(const std::string& path, const std::string& logo_png, bool several_pages)
    : file_(std::make_unique<TempOutputFile>(path, "PDF file")),
      font_(DrawingFont::Shared()),
      logo_(LoadLogo(logo_png)),
      several_pages_(several_pages) {
  surface_.reset(cairo_pdf_surface_create_for_stream(TempOutputFile::CairoWrite, file_.get(),
                                                     kPageWidth, kPageHeight));
  CheckStatus(cairo_surface_status(surface_.get()));
  cairo_pdf_surface_set_metadata(surface_.get(), CAIRO_PDF_METADATA_CREATOR, "tipolaria");
  cr_.reset(cairo_create(surface_.get()));
  CheckStatus(cairo_status(cr_.get()));
  renderer_ = std::make_unique<PageRenderer>(cr_.get(), font_, logo_.get());
}

PdfWriter::~PdfWriter() = default;

void PdfWriter::AddPage(const Layout& layout, const std::vector<std::string>& texts) {
  if (several_pages_) {
    PaintUnchanging(layout, texts);
    renderer_->DrawChanging(layout, texts);
  } else {
    renderer_->Draw(layout, texts);
  }
  cairo_show_page(cr_.get());
  CheckStatus(cairo_status(cr_.get()));
  ++pages_;
}

void PdfWriter::PaintUnchanging(const Layout& layout, const std::vector<std::string>& texts) {
  std::vector<std::string> page_texts = UnchangingTexts(layout, texts);
  if (!unchanging_ || &layout != unchanging_layout_ || page_texts != unchanging_texts_) {
    const cairo_rectangle_t page{0, 0, kPageWidth, kPageHeight};
    detail::SurfacePtr recording(cairo_recording_surface_create(CAIRO_CONTENT_COLOR_ALPHA, &page));
    CheckStatus(cairo_surface_status(recording.get()));
    detail::CairoPtr cr(cairo_create(recording.get()));
    {
      PageRenderer renderer(cr.get(), font_, logo_.get());
      renderer.DrawUnchanging(layout, texts);
    }
    CheckStatus(cairo_status(cr.get()));
    unchanging_ = std::move(recording);
    unchanging_layout_ = &layout;
    unchanging_texts_ = std::move(page_texts);
  }
  cairo_set_source_surface(cr_.get(), unchanging_.get(), 0, 0);
  cairo_paint(cr_.get());
}

void PdfWriter::SetTitle(const std::string& title) {
  cairo_pdf_surface_set_metadata(surface_.get(), CAIRO_PDF_METADATA_TITLE, title.c_str());
}

void PdfWriter::Finish() {
  if (!surface_) return;
  renderer_.reset();
  cr_.reset();
  unchanging_.reset();
  cairo_surface_finish(surface_.get());
  CheckStatus(cairo_surface_status(surface_.get()));
  surface_.reset();
  file_->Finish();
}

void PdfWriter::Commit() {
  Finish();
  file_->Commit();
}

void PdfWriter::CheckStatus(cairo_status_t status) {
  if (status == CAIRO_STATUS_SUCCESS) return;
  // A failed write is the file's error: it names the path and the reason.
  if (status == CAIRO_STATUS_WRITE_ERROR) file_->RaisePathError(file_->write_error());
  throw ComError(kErrReportDrawing, kReportSource,
                 std::string("Cannot draw the PDF document: ") + cairo_status_to_string(status));
}

}  // namespace tipolaria
