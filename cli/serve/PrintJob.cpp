#include "serve/PrintJob.hpp"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <ctime>
#include <limits>
#include <system_error>

#include "GenerationOptions.hpp"
#include "PrintSettings.hpp"

namespace tipolaria::serve {
namespace {

// The kind of a failed operation's error, for the status of the answer: a
// host of the class tells them apart by the error's number as well.
FailureKind KindOf(const std::optional<ComError>& error, FailureKind otherwise) {
  if (!error) return otherwise;
  if (error->number() == kErrTimeout) return FailureKind::kLockTimeout;
  if (error->number() == kErrDeclarationNotFound) return FailureKind::kNotFound;
  return otherwise;
}

// Pages from..to of a range, within the pages first..last of a document.
int PagesWithin(int from, int to, int first, int last) {
  return std::max(0, std::min(to, last) - std::max(from, first) + 1);
}

// The pictures a print wrote: "<document>-<page>.png".
std::map<int, std::filesystem::path> Pictures(const std::filesystem::path& folder) {
  std::map<int, std::filesystem::path> pictures;
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
    const std::string stem = entry.path().stem().string();
    const std::size_t dash = stem.rfind('-');
    if (entry.path().extension() != ".png" || dash == std::string::npos) continue;
    int page = 0;
    const char* end = stem.data() + stem.size();
    if (std::from_chars(stem.data() + dash + 1, end, page).ptr == end) {
      pictures[page] = entry.path();
    }
  }
  return pictures;
}

}  // namespace

std::string TodayText() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  ::localtime_r(&now, &local);
  char text[40];
  std::snprintf(text, sizeof text, "%02d/%02d/%04d", local.tm_mday, local.tm_mon + 1,
                local.tm_year + 1900);
  return text;
}

PrintOutcome RunPrint(Session& session, const PrintOrder& order,
                      const std::filesystem::path& folder, Documents documents,
                      const std::function<bool()>& processor_free) {
  PrintOutcome outcome;
  const cli::GenerationOptions& g = order.generation;
  // Every setting a request may make starts afresh, as for a batch's next
  // declaration, today's date included.
  session.CleanIMP();
  cli::ApplyPrintSettings(session, order.settings);
  try {
    session.SetOperDate(g.oper_date.value_or(TodayText()));
  } catch (const ComError& e) {
    outcome.failure = FailureKind::kBadRequest;
    outcome.field = "oper_date";
    outcome.message = "oper_date: " + e.description();
    return outcome;
  }

  const std::string generated = cli::Generate(session, g, order.iddtext);
  outcome.results.emplace_back("GenerateIMP", generated);
  if (generated != kJsonOk) {
    const std::optional<ComError> error = session.GetLastFailure();
    outcome.failure = KindOf(error, FailureKind::kGeneration);
    outcome.message = error ? error->description() : generated;
    return outcome;
  }

  // The range is applied now that the pages are counted: the pages the
  // client asked for, not the component's clamping of them against the
  // page count before the generation.
  outcome.pages = session.GetPages();
  const int last_of_cover = outcome.pages.CaratulaHojas;
  const int total = outcome.pages.TotalHojas;
  const int desde = order.settings.desde.value_or(1);
  const int hasta = order.settings.hasta.value_or(std::numeric_limits<std::int16_t>::max());
  outcome.cover_pages = PagesWithin(desde, hasta, 1, last_of_cover);
  outcome.continuation_pages = PagesWithin(desde, hasta, last_of_cover + 1, total);
  const bool cover = documents != Documents::kContinuation && outcome.cover_pages > 0;
  const bool continuation = documents != Documents::kCover && outcome.continuation_pages > 0;
  if (!cover && !continuation) {
    const bool ranged = order.settings.desde || order.settings.hasta;
    const char* which = documents == Documents::kCover          ? "cover or item pages"
                        : documents == Documents::kContinuation ? "continuation pages"
                                                                : "pages";
    outcome.failure = ranged ? FailureKind::kBadRequest : FailureKind::kNotFound;
    outcome.field = ranged ? (order.settings.desde ? "desde" : "hasta") : "";
    outcome.message =
        "The declaration '" + order.iddtext + "' has no " + which +
        (ranged ? " from page " + std::to_string(desde) + " to " + std::to_string(hasta) : "") +
        " (pages 1 to " + std::to_string(last_of_cover) + " are cover and item pages, " +
        std::to_string(total) + " pages in all)";
    return outcome;
  }
  cli::ApplyPrintRange(session, order.settings);
  const std::filesystem::path pictures = folder / "pictures";
  session.SetPictureFolder(order.pictures ? pictures.string() : std::string());

  const auto take = [&](const char* operation, const std::string& result,
                        const std::optional<ComError>& error) {
    outcome.results.emplace_back(operation, result);
    if (result == kJsonOk) return true;
    outcome.failure = KindOf(error, FailureKind::kPrint);
    outcome.message = error ? error->description() : result;
    return false;
  };
  const std::filesystem::path cover_pdf = folder / "cover.pdf";
  const std::filesystem::path continuation_pdf = folder / "continuation.pdf";
  if (cover && continuation && processor_free()) {
    // A processor would idle otherwise: both documents render at once, and
    // the print takes as long as its longer document. With every processor
    // busy with other prints, a second thread would only take turns with
    // them, so the documents then go one after the other.
    const Session::Documents printed = session.PrintPDFs(cover_pdf, continuation_pdf);
    if (!take("PrintPDFCaratula", printed.caratula, printed.caratula_failure)) return outcome;
    outcome.cover = cover_pdf;
    if (!take("PrintPDFSubItems", printed.sub_items, printed.sub_items_failure)) return outcome;
    outcome.continuation = continuation_pdf;
  } else {
    if (cover) {
      const std::string result = session.PrintPDFCaratula(cover_pdf);
      if (!take("PrintPDFCaratula", result, session.GetLastFailure())) return outcome;
      outcome.cover = cover_pdf;
    }
    if (continuation) {
      const std::string result = session.PrintPDFSubItems(continuation_pdf);
      if (!take("PrintPDFSubItems", result, session.GetLastFailure())) return outcome;
      outcome.continuation = continuation_pdf;
    }
  }
  if (order.pictures) outcome.pictures = Pictures(pictures);
  return outcome;
}

}  // namespace tipolaria::serve
