// The print operations: render the work table IMP into PDF files.
#include <memory>

#include "api/ImpSnapshot.hpp"
#include "api/JsonResult.hpp"
#include "api/SessionState.hpp"
#include "reports/ReportRunner.hpp"
#include "runtime/Trap.hpp"
#include "tipolaria/session.hpp"

namespace tipolaria {
namespace {

std::string Print(Session& session, ReportKind kind, const std::string& path,
                  const std::string& operation) {
  detail::SessionState& state = detail::StateOf(session);
  return detail::JsonOperation(state, operation, [&] {
    // The range is clamped against the page count of the last generation.
    session.InitializePagesData();
    PrintRange range;
    range.hoja_desde = state.HojaDesde;
    range.hoja_hasta = state.HojaHasta;
    range.caratula_hojas = state.gDriver->CaratulaHojas;
    range.numero_copias = state.gDriver->NumeroCopias;
    range.logo_png = state.settings.logo_png;
    range.png_folder = state.settings.picture_folder;
    range.imp_rows = state.snapshot;
    if (!range.imp_rows) {
      // Pages another process generated: read under the print lock, so that
      // no generation is half-way through them.
      range.imp_rows =
          std::make_shared<const Recordset>(detail::ReadImpUnderLock(state, operation.c_str()));
    }
    PrintReport(*state.gDataBase, kind, range, path);
    return detail::JsonOk();
  });
}

}  // namespace

std::string Session::PrintPDFCaratula(const std::string& path) {
  return Print(*this, ReportKind::kCaratula, path, "PrintPDFCaratula");
}

std::string Session::PrintPDFSubItems(const std::string& path) {
  return Print(*this, ReportKind::kSubItems, path, "PrintPDFSubItems");
}

}  // namespace tipolaria
