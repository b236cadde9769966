// The print operations: render the work table IMP into PDF files.
#include <memory>

#include "api/ComponentState.hpp"
#include "api/ImpSnapshot.hpp"
#include "api/JsonResult.hpp"
#include "reports/ReportRunner.hpp"
#include "runtime/Trap.hpp"
#include "tipolaria/cprint.hpp"

namespace tipolaria {
namespace {

std::string Print(CPrint& print, ReportKind kind, const std::string& path,
                  const std::string& operation) {
  try {
    // The range is clamped against the page count of the last generation.
    print.InitializePagesData();
    auto& state = detail::State();
    PrintRange range;
    range.hoja_desde = state.HojaDesde;
    range.hoja_hasta = state.HojaHasta;
    range.caratula_hojas = state.gDriver->CaratulaHojas;
    range.numero_copias = state.gDriver->NumeroCopias;
    range.logo_png = state.logo_png;
    range.png_folder = state.png_folder;
    range.imp_rows = state.snapshot;
    if (!range.imp_rows) {
      // Pages another process generated: read under the print lock, so that
      // no generation is half-way through them.
      range.imp_rows =
          std::make_shared<const Recordset>(detail::ReadImpUnderLock(operation.c_str()));
    }
    PrintReport(*state.gDataBase, kind, range, path);
    return detail::JsonOk();
  } catch (...) {
    return detail::JsonFailure(CaughtError(), operation);
  }
}

}  // namespace

std::string CPrint::PrintPDFCaratula(const std::string& path) {
  return Print(*this, ReportKind::kCaratula, path, "PrintPDFCaratula");
}

std::string CPrint::PrintPDFSubItems(const std::string& path) {
  return Print(*this, ReportKind::kSubItems, path, "PrintPDFSubItems");
}

void CPrint::SetLogo(const std::string& png_path) { detail::State().logo_png = png_path; }

}  // namespace tipolaria
