#include "serve/PrintJob.hpp"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <ctime>
#include <limits>
#include <system_error>

namespace tipolaria::serve {
namespace {

constexpr const char* kOk = R"({"Result": "OK"})";

// The parts of a failed operation's JSON result the service acts on.
struct Failure {
  std::string description;
  std::string source;
};

Failure ReadFailure(const std::string& result) {
  const nlohmann::json json = nlohmann::json::parse(result, nullptr, /*allow_exceptions=*/false);
  if (!json.is_object()) return {result, {}};
  return {json.value("errorMessage", result), json.value("source", "")};
}

// The component tells its failures apart by their texts only: the
// declaration missing ("No se encontró la declaración ...", raised by
// GenerateIMP itself) and the print lock's time-out (raised by PrintLock).
FailureKind GenerationFailure(const Failure& failure) {
  if (failure.source.rfind("PrintLock", 0) == 0) return FailureKind::kLockTimeout;
  if (failure.source == "GenerateIMP - GenerateIMP" &&
      failure.description.rfind("No se encontr", 0) == 0) {
    return FailureKind::kNotFound;
  }
  return FailureKind::kGeneration;
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

PrintOutcome RunPrint(WorkerSession& session, const PrintOrder& order,
                      const std::filesystem::path& folder, Documents documents) {
  PrintOutcome outcome;
  const cli::GenerationOptions& g = order.generation;
  // A worker's session serves one client after another: every setting a
  // request may make starts afresh, today's date included.
  session.Reset();
  if (order.settings.copias) session.SetCopias(*order.settings.copias);
  if (g.referencia_cliente) session.SetReferenciaCliente(*g.referencia_cliente);
  try {
    session.SetOperDate(g.oper_date.value_or(TodayText()));
  } catch (const ComError& e) {
    outcome.failure = FailureKind::kBadRequest;
    outcome.field = "oper_date";
    outcome.message = "oper_date: " + e.description();
    return outcome;
  }

  const std::string generated =
      session.GenerateIMP(g.nombre_despachante, order.iddtext, g.idorig, g.fecofi, g.oper, g.canal,
                          g.ramo, g.morado, g.org, g.eta);
  outcome.results.emplace_back("GenerateIMP", generated);
  if (generated != kOk) {
    const Failure failure = ReadFailure(generated);
    outcome.failure = GenerationFailure(failure);
    outcome.message = failure.description;
    return outcome;
  }

  // The range is applied now that the pages are counted: the pages the
  // client asked for, not the component's clamping of them against the
  // page count before the generation.
  outcome.pages = session.Pages();
  const int last_of_cover = outcome.pages.caratula_hojas;
  const int total = outcome.pages.total_hojas;
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
  session.SetRange(static_cast<std::int16_t>(desde), static_cast<std::int16_t>(hasta));
  const std::filesystem::path pictures = folder / "pictures";
  session.SetPictureFolder(order.pictures ? pictures.string() : std::string());

  const auto print = [&](const char* operation, const std::filesystem::path& path,
                         std::string (WorkerSession::*member)(const std::string&)) {
    const std::string result = (session.*member)(path.string());
    outcome.results.emplace_back(operation, result);
    if (result == kOk) return true;
    outcome.failure = FailureKind::kPrint;
    outcome.message = ReadFailure(result).description;
    return false;
  };
  if (cover) {
    if (!print("PrintPDFCaratula", folder / "cover.pdf", &WorkerSession::PrintPDFCaratula)) {
      return outcome;
    }
    outcome.cover = folder / "cover.pdf";
  }
  if (continuation) {
    if (!print("PrintPDFSubItems", folder / "continuation.pdf", &WorkerSession::PrintPDFSubItems)) {
      return outcome;
    }
    outcome.continuation = folder / "continuation.pdf";
  }
  if (order.pictures) outcome.pictures = Pictures(pictures);
  return outcome;
}

}  // namespace tipolaria::serve
