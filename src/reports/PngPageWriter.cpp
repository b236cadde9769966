#include "reports/PngPageWriter.hpp"

#include <cmath>
#include <cstdio>
#include <filesystem>

#include "reports/LogoImage.hpp"
#include "reports/PageRenderer.hpp"
#include "reports/PdfWriter.hpp"
#include "reports/ReportErrors.hpp"
#include "tipolaria/error.hpp"

namespace tipolaria {

PngPageWriter::PngPageWriter(std::string folder, std::string stem, const std::string& logo_png)
    : folder_(std::move(folder)),
      stem_(std::move(stem)),
      font_(DrawingFont::Shared()),
      logo_(LoadLogo(logo_png)) {
  std::error_code error;
  std::filesystem::create_directories(folder_, error);
  if (error) {
    throw ComError(
        kErrReportPath, kReportSource,
        "Cannot create the folder of the page pictures '" + folder_ + "': " + error.message());
  }
}

std::unique_ptr<TempOutputFile> PngPageWriter::WritePage(std::int16_t page, const Layout& layout,
                                                         const std::vector<std::string>& texts) {
  constexpr double kScale = kDotsPerInch / 72.0;
  const int width = static_cast<int>(std::lround(PdfWriter::kPageWidth * kScale));
  const int height = static_cast<int>(std::lround(PdfWriter::kPageHeight * kScale));
  detail::SurfacePtr surface(cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, height));
  detail::CairoPtr cr(cairo_create(surface.get()));
  cairo_set_source_rgb(cr.get(), 1, 1, 1);
  cairo_paint(cr.get());
  cairo_scale(cr.get(), kScale, kScale);
  {
    PageRenderer renderer(cr.get(), font_, logo_.get());
    renderer.Draw(layout, texts);
  }
  if (cairo_status(cr.get()) != CAIRO_STATUS_SUCCESS) {
    throw ComError(kErrReportDrawing, kReportSource,
                   std::string("Cannot draw the page picture: ") +
                       cairo_status_to_string(cairo_status(cr.get())));
  }
  char name[32];
  std::snprintf(name, sizeof name, "-%03d.png", static_cast<int>(page));
  auto file = std::make_unique<TempOutputFile>(folder_ + "/" + stem_ + name, "page picture");
  if (cairo_surface_write_to_png_stream(surface.get(), TempOutputFile::CairoWrite, file.get()) !=
      CAIRO_STATUS_SUCCESS) {
    file->RaisePathError(file->write_error());
  }
  file->Finish();
  return file;
}

}  // namespace tipolaria
