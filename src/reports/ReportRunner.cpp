#include "reports/ReportRunner.hpp"

#include <algorithm>
#include <filesystem>
#include <memory>
#include <optional>

#include "reports/CaratulaLaser.hpp"
#include "reports/PdfWriter.hpp"
#include "reports/PngPageWriter.hpp"
#include "reports/ReportErrors.hpp"
#include "reports/SubItemLaser.hpp"
#include "tipolaria/error.hpp"

namespace tipolaria {
namespace {

constexpr const char* kFormTitle = "OM - 1993 SIM";

std::unique_ptr<LaserReport> MakeReport(CDataBase& db, ReportKind kind, const PrintRange& range) {
  if (kind == ReportKind::kCaratula) return std::make_unique<CaratulaLaser>(db, range);
  return std::make_unique<SubItemLaser>(db, range);
}

// The document's title: the form, and the declaration's reference when the
// first page carries one.
std::string DocumentTitle(const Layout& layout, const std::vector<std::string>& texts) {
  std::string title = kFormTitle;
  const int reference = layout.Find("c3");
  if (reference >= 0 && !texts[reference].empty() &&
      texts[reference] != layout.control(reference).text) {
    title += " " + texts[reference];
  }
  return title;
}

[[noreturn]] void RaiseNoPage(const Layout& layout, ReportKind kind, const PrintRange& range) {
  // The continuation pages are looked for after the cover and item pages,
  // whatever the range's first page.
  const int first = kind == ReportKind::kCaratula
                        ? range.hoja_desde
                        : std::max(range.caratula_hojas + 1, static_cast<int>(range.hoja_desde));
  // The range rules leave a negative first page as the host set it; the
  // report then starts before page 1 and finds nothing, which is the
  // range's fault, not the declaration's.
  if (first < 1) {
    throw ComError(kErrReportNoPage, layout.name(),
                   "Invalid print range from page " + std::to_string(first) + " to " +
                       std::to_string(range.hoja_hasta) +
                       ": pages are numbered from 1; no file was written");
  }
  std::string description = "No page to print: IMP holds no page of type " +
                            std::string(kind == ReportKind::kCaratula ? "0" : "1") + " from page " +
                            std::to_string(first) + " to " + std::to_string(range.hoja_hasta);
  if (kind == ReportKind::kCaratula && range.caratula_hojas < range.hoja_desde) {
    description +=
        " (the cover and item pages end at page " + std::to_string(range.caratula_hojas) + ")";
  }
  throw ComError(kErrReportNoPage, layout.name(), description + "; no file was written");
}

}  // namespace

int PrintReport(CDataBase& db, ReportKind kind, const PrintRange& range, const std::string& path) {
  std::unique_ptr<LaserReport> report = MakeReport(db, kind, range);
  // The document is opened at the first filled page, so that a range
  // without pages touches no file.
  std::optional<PdfWriter> writer;
  // Pages to picture, kept until the document is complete, so that a failed
  // print leaves no pictures either.
  std::vector<std::pair<std::int16_t, std::vector<std::string>>> pictures;
  report->Run([&](std::int16_t page, const std::vector<std::string>& texts) {
    if (!writer) {
      writer.emplace(path, range.logo_png, report->AnotherPageFollows());
      writer->SetTitle(DocumentTitle(report->layout(), texts));
    }
    writer->AddPage(report->layout(), texts);
    if (!range.png_folder.empty()) pictures.emplace_back(page, texts);
  });
  if (!writer) RaiseNoPage(report->layout(), kind, range);
  writer->Finish();
  std::vector<std::unique_ptr<TempOutputFile>> picture_files;
  if (!pictures.empty()) {
    PngPageWriter png(range.png_folder, std::filesystem::path(path).stem().string(),
                      range.logo_png);
    for (const auto& [page, texts] : pictures) {
      picture_files.push_back(png.WritePage(page, report->layout(), texts));
    }
  }
  // Everything is written: only now do the files take their names, so that
  // a print that fails on its last picture leaves the earlier files as
  // they were.
  // The document goes last: a print whose result is an error never
  // replaces it.
  for (const auto& file : picture_files) file->Commit();
  writer->Commit();
  return writer->page_count();
}

}  // namespace tipolaria
