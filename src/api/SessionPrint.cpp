// The print operations: render the work table IMP into PDF files.
#include <memory>
#include <optional>
#include <system_error>
#include <thread>

#include "api/ImpSnapshot.hpp"
#include "api/JsonResult.hpp"
#include "api/SessionState.hpp"
#include "reports/ReportRunner.hpp"
#include "runtime/Trap.hpp"
#include "tipolaria/session.hpp"

namespace tipolaria {
namespace {

// What a print renders: the range as the session's settings and the page
// count of its last generation give it, and the pages.
PrintRange RangeOf(Session& session, detail::SessionState& state, const std::string& operation) {
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
  return range;
}

std::string Print(Session& session, ReportKind kind, const std::string& path,
                  const std::string& operation) {
  detail::SessionState& state = detail::StateOf(session);
  return detail::JsonOperation(state, operation, [&] {
    const PrintRange range = RangeOf(session, state, operation);
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

Session::Documents Session::PrintPDFs(const std::string& cover_path,
                                      const std::string& continuation_path) {
  detail::SessionState& state = detail::StateOf(*this);
  Documents documents;
  const auto one_after_the_other = [&] {
    documents.caratula = PrintPDFCaratula(cover_path);
    documents.caratula_failure = GetLastFailure();
    documents.sub_items = PrintPDFSubItems(continuation_path);
    documents.sub_items_failure = GetLastFailure();
    return documents;
  };
  if (!state.snapshot) return one_after_the_other();
  // The session's own pages: the range is the same for both documents, and
  // with the pages in memory a print reads nothing from the database, so
  // the two render at once and only this thread touches the session.
  std::optional<PrintRange> range;
  const detail::OperationOutcome prepared = detail::RunOperation([&] {
    range = RangeOf(*this, state, "PrintPDFCaratula");
    return detail::JsonOk();
  });
  if (prepared.error) return one_after_the_other();  // each fails as it does alone
  CDataBase& db = *state.gDataBase;
  const auto render = [&db, &range](ReportKind kind, const std::string& path) {
    return detail::RunOperation([&] {
      PrintReport(db, kind, *range, path);
      return detail::JsonOk();
    });
  };
  detail::OperationOutcome cover;
  std::thread other;
  try {
    other = std::thread([&] { cover = render(ReportKind::kCaratula, cover_path); });
  } catch (const std::system_error&) {
    cover = render(ReportKind::kCaratula, cover_path);  // no thread to be had
  }
  const detail::OperationOutcome continuation = render(ReportKind::kSubItems, continuation_path);
  if (other.joinable()) other.join();
  documents.caratula = detail::RecordOperation(state, "PrintPDFCaratula", cover);
  documents.caratula_failure = GetLastFailure();
  documents.sub_items = detail::RecordOperation(state, "PrintPDFSubItems", continuation);
  documents.sub_items_failure = GetLastFailure();
  return documents;
}

}  // namespace tipolaria
