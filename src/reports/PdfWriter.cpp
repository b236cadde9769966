#include "reports/PdfWriter.hpp"

#include <cairo-pdf.h>

#include "reports/LogoImage.hpp"
#include "reports/ReportErrors.hpp"
#include "tipolaria/error.hpp"

namespace tipolaria {

PdfWriter::PdfWriter(const std::string& path, const std::string& logo_png)
    : file_(std::make_unique<TempOutputFile>(path, "PDF file")), logo_(LoadLogo(logo_png)) {
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
  renderer_->Draw(layout, texts);
  cairo_show_page(cr_.get());
  CheckStatus(cairo_status(cr_.get()));
  ++pages_;
}

void PdfWriter::SetTitle(const std::string& title) {
  cairo_pdf_surface_set_metadata(surface_.get(), CAIRO_PDF_METADATA_TITLE, title.c_str());
}

void PdfWriter::Finish() {
  if (!surface_) return;
  renderer_.reset();
  cr_.reset();
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
