#include "serve/PrintService.hpp"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <map>
#include <optional>
#include <sstream>

#include "serve/BearerToken.hpp"
#include "serve/PreviewPage.hpp"
#include "tipolaria/database.hpp"

namespace tipolaria::serve {
namespace {

using httplib::Request;
using httplib::Response;
using Json = nlohmann::ordered_json;

constexpr const char* kJson = "application/json; charset=utf-8";
constexpr const char* kPrintId = "([0-9a-f]{32})";
constexpr std::chrono::seconds kHealthCacheTime{1};

void SendJson(Response& response, int status, const std::string& body) {
  response.status = status;
  response.set_content(body, kJson);
}

Json ErrorJson(const std::string& message, const std::string& field = {}) {
  Json body = {{"error", message}};
  if (!field.empty()) body["field"] = field;
  return body;
}

// `body` with "results" added: each operation's JSON result as the
// component returned it, byte for byte, so that a host reads exactly what
// the class would have returned to it.
std::string WithResults(const Json& body,
                        const std::vector<std::pair<std::string, std::string>>& results) {
  std::string text = body.dump();
  if (results.empty()) return text;
  text.pop_back();  // the closing brace
  text += body.empty() ? "\"results\": {" : ", \"results\": {";
  for (std::size_t i = 0; i < results.size(); ++i) {
    text += (i == 0 ? "" : ", ") + Json(results[i].first).dump() + ": " + results[i].second;
  }
  return text + "}}";
}

std::optional<std::string> ReadFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// An iddtext as a file name a browser offers to save: letters, digits, and
// "." "_" "-" only.
std::string FileName(const std::string& iddtext, const std::string& document) {
  std::string stem = iddtext;
  for (char& c : stem) {
    if (!std::isalnum(static_cast<unsigned char>(c)) && c != '.' && c != '_' && c != '-') c = '_';
  }
  return stem + "-" + document + ".pdf";
}

void SendPdf(Response& response, const std::string& bytes, const std::string& file_name) {
  response.status = 200;
  response.set_header("Content-Disposition", "inline; filename=\"" + file_name + "\"");
  response.set_content(bytes, "application/pdf");
}

// Whether the database `connection` can be opened and holds the customs
// database's tables: empty text, or what is wrong (passwords masked). The
// values are not read: a probe comes every few seconds.
std::string HealthProblem(const std::string& connection) {
  try {
    const std::vector<std::string> missing =
        CheckDatabase(connection, CheckDepth::kTables).missing_tables;
    if (missing.empty()) return {};
    return "The database \"" + MaskConnectionString(connection) + "\" lacks " +
           std::to_string(missing.size()) + " tables of the customs database, such as " +
           missing.front();
  } catch (const ComError& e) {
    return e.description();
  }
}

std::string UnknownPrint(const std::string& id, std::chrono::milliseconds keep) {
  return "No print \"" + id + "\": prints are kept " +
         std::to_string(std::chrono::duration_cast<std::chrono::seconds>(keep).count()) +
         " seconds, and this one has expired, was deleted, or never was";
}

}  // namespace

PrintService::PrintService(SessionPool& pool, PrintStore& store, Metrics& metrics, AccessLog& log,
                           ServiceOptions options)
    : pool_(pool), store_(store), metrics_(metrics), log_(log), options_(std::move(options)) {}

void PrintService::Install(httplib::Server& server) {
  server.set_payload_max_length(kMaxBodyBytes);
  // An answer goes out in several writes (headers, then body): without
  // this, each waited for the client's delayed acknowledgement of the last,
  // some 40 ms a request.
  server.set_tcp_nodelay(true);
  // Prints are a client's confidential papers: never kept by a cache.
  server.set_default_headers(
      {{"Cache-Control", "no-store"}, {"X-Content-Type-Options", "nosniff"}});
  server.set_pre_routing_handler([this](const Request& request, Response& response) {
    AccessLog::Begin();
    return Authorized(request, response) ? httplib::Server::HandlerResponse::Unhandled
                                         : httplib::Server::HandlerResponse::Handled;
  });
  server.set_logger([this](const Request& request, const Response& response) {
    metrics_.CountResponse(response.status);
    log_.Write(request.remote_addr, request.method, request.path, response.status);
  });
  // Whatever the library answers by itself (an unknown path, a body too
  // large, a request it cannot read) answers JSON too.
  server.set_error_handler([](const Request& request, Response& response) {
    if (!response.body.empty()) return;
    std::string message =
        "The request cannot be served (HTTP " + std::to_string(response.status) + ")";
    if (response.status == 404)
      message = "No such resource: " + request.method + " " + request.path;
    if (response.status == 413) {
      message = "The request body is larger than " + std::to_string(kMaxBodyBytes) + " bytes";
    }
    SendJson(response, response.status,
             ErrorJson(message, response.status == 413 ? "body" : "").dump());
  });
  server.set_exception_handler(
      [this](const Request&, Response& response, std::exception_ptr error) {
        std::string message = "Internal error";
        try {
          std::rethrow_exception(error);
        } catch (const std::exception& e) {
          message += std::string(": ") + e.what();
        } catch (...) {
        }
        metrics_.CountFailure(FailureKind::kInternal, {});
        SendJson(response, 500, ErrorJson(message).dump());
      });

  for (int i = 0; i < kPreviewPageFileCount; ++i) {
    const PageFile& file = PreviewPageFiles()[i];
    server.Get(std::string(file.path), [&file](const Request&, Response& response) {
      // The page loads nothing but its own files and talks to this service
      // only.
      response.set_header("Content-Security-Policy",
                          "default-src 'none'; script-src 'self'; style-src 'self'; "
                          "img-src 'self' blob:; connect-src 'self' blob:; form-action 'none'; "
                          "base-uri 'none'; frame-ancestors 'none'");
      response.set_content(std::string(file.body), std::string(file.content_type));
    });
  }
  server.Get("/healthz", [this](const Request&, Response& response) { GetHealth(response); });
  server.Get("/metrics", [this](const Request&, Response& response) { GetMetrics(response); });
  server.Post("/v1/prints",
              [this](const Request& request, Response& response) { PostPrint(request, response); });
  const std::string print = std::string("/v1/prints/") + kPrintId;
  server.Get(print,
             [this](const Request& request, Response& response) { GetPrint(request, response); });
  server.Delete(print, [this](const Request& request, Response& response) {
    DeletePrint(request, response);
  });
  server.Get(
      print + R"(/(cover|continuation)\.pdf)",
      [this](const Request& request, Response& response) { GetPrintFile(request, response); });
  server.Get(print + R"(/pages/([0-9]{1,5})\.png)",
             [this](const Request& request, Response& response) { GetPicture(request, response); });
  server.Get(R"(/v1/declarations/([^/]+)/(cover|continuation)\.pdf)",
             [this](const Request& request, Response& response) {
               GetDeclarationDocument(request, response);
             });
}

bool PrintService::Authorized(const Request& request, Response& response) {
  if (options_.token.empty() || request.path == "/healthz") return true;
  // The page's own files hold no declaration: a browser, which cannot send
  // the token with a page's address, loads them and then sends the token
  // the person types with every request of the page.
  for (int i = 0; i < kPreviewPageFileCount; ++i) {
    if (request.method == "GET" && request.path == PreviewPageFiles()[i].path) return true;
  }
  if (BearerMatches(request.get_header_value("Authorization"), options_.token)) return true;
  response.set_header("WWW-Authenticate", "Bearer realm=\"tipolaria\"");
  const bool sent = request.has_header("Authorization");
  SendJson(response, 401,
           ErrorJson(sent ? "The Authorization header does not carry this service's token"
                          : "This service needs \"Authorization: Bearer TOKEN\" on every "
                            "request but /healthz")
               .dump());
  return false;
}

PrintService::Timed PrintService::Run(const PrintOrder& order, const std::filesystem::path& folder,
                                      Documents documents) {
  const auto start = std::chrono::steady_clock::now();
  PrintOutcome outcome;
  try {
    SessionPool::Lease lease = pool_.Acquire();
    outcome = RunPrint(lease.session(), order, folder, documents,
                       [this] { return options_.documents_at_once && pool_.busy() < processors_; });
  } catch (const ComError& e) {
    outcome.failure = FailureKind::kInternal;
    outcome.message = e.description();
  } catch (const std::exception& e) {
    outcome.failure = FailureKind::kInternal;
    outcome.message = e.what();
  }
  const std::chrono::duration<double> duration = std::chrono::steady_clock::now() - start;
  if (outcome.failure) {
    metrics_.CountFailure(*outcome.failure, duration);
  } else {
    metrics_.CountPrint(duration);
  }
  return {std::move(outcome), duration};
}

void PrintService::SendFailure(const PrintOutcome& outcome, Response& response) {
  int status = 500;
  switch (*outcome.failure) {
    case FailureKind::kBadRequest:
      status = 400;
      break;
    case FailureKind::kNotFound:
      status = 404;
      break;
    case FailureKind::kLockTimeout:
      status = 503;
      // Another generation holds the lock: worth trying again shortly.
      response.set_header("Retry-After", std::to_string(std::clamp(options_.lock_timeout, 1, 30)));
      break;
    default:
      break;
  }
  SendJson(response, status,
           WithResults(ErrorJson(outcome.message, outcome.field), outcome.results));
}

void PrintService::PostPrint(const Request& request, Response& response) {
  PrintOrder order;
  try {
    order = ReadPrintOrder(request.body);
  } catch (const FieldError& e) {
    metrics_.CountFailure(FailureKind::kBadRequest, {});
    SendJson(response, 400, ErrorJson(e.what(), e.field()).dump());
    return;
  }
  AccessLog::NoteIddtext(order.iddtext);
  Workspace workspace = store_.NewWorkspace();
  Timed run = Run(order, workspace.path(), Documents::kBoth);
  PrintOutcome& outcome = run.outcome;
  if (outcome.failure) {
    SendFailure(outcome, response);
    return;  // the workspace goes, with whatever was written
  }
  PrintRecord record;
  record.iddtext = order.iddtext;
  record.results = std::move(outcome.results);
  record.caratula_hojas = outcome.pages.CaratulaHojas;
  record.total_hojas = outcome.pages.TotalHojas;
  record.cover_pages = outcome.cover_pages;
  record.continuation_pages = outcome.continuation_pages;
  record.cover = outcome.cover;
  record.continuation = outcome.continuation;
  record.pictures = std::move(outcome.pictures);
  const auto stored = store_.Keep(std::move(workspace), std::move(record));
  response.set_header("Location", "/v1/prints/" + stored->id);
  SendJson(response, 201, PrintJson(*stored));
}

std::string PrintService::PrintJson(const StoredPrint& print) const {
  const PrintRecord& record = print.record;
  const std::string base = "/v1/prints/" + print.id;
  Json body;
  body["id"] = print.id;
  body["iddtext"] = record.iddtext;
  body["pages"] = {{"cover", record.cover_pages},
                   {"continuation", record.continuation_pages},
                   {"caratula_hojas", record.caratula_hojas},
                   {"total", record.total_hojas}};
  body["cover"] = record.cover.empty() ? Json() : Json(base + "/cover.pdf");
  body["continuation"] = record.continuation.empty() ? Json() : Json(base + "/continuation.pdf");
  body["pictures"] = Json::array();
  for (const auto& [page, path] : record.pictures) {
    body["pictures"].push_back(
        {{"page", page},
         {"document", page <= record.caratula_hojas ? "cover" : "continuation"},
         {"href", base + "/pages/" + std::to_string(page) + ".png"}});
  }
  body["expires_at"] = UtcText(print.expires);
  return WithResults(body, record.results);
}

void PrintService::GetPrint(const Request& request, Response& response) {
  const auto print = store_.Find(request.matches[1]);
  if (!print) {
    SendJson(response, 404, ErrorJson(UnknownPrint(request.matches[1], store_.keep())).dump());
    return;
  }
  AccessLog::NoteIddtext(print->record.iddtext);
  SendJson(response, 200, PrintJson(*print));
}

void PrintService::GetPrintFile(const Request& request, Response& response) {
  const auto print = store_.Find(request.matches[1]);
  if (!print) {
    SendJson(response, 404, ErrorJson(UnknownPrint(request.matches[1], store_.keep())).dump());
    return;
  }
  AccessLog::NoteIddtext(print->record.iddtext);
  const std::string document = request.matches[2];
  const std::filesystem::path& path =
      document == "cover" ? print->record.cover : print->record.continuation;
  const std::optional<std::string> bytes = path.empty() ? std::nullopt : ReadFile(path);
  if (!bytes) {
    SendJson(response, 404,
             ErrorJson("The print \"" + print->id + "\" has no " + document + " document").dump());
    return;
  }
  SendPdf(response, *bytes, FileName(print->record.iddtext, document));
}

void PrintService::GetPicture(const Request& request, Response& response) {
  const auto print = store_.Find(request.matches[1]);
  if (!print) {
    SendJson(response, 404, ErrorJson(UnknownPrint(request.matches[1], store_.keep())).dump());
    return;
  }
  AccessLog::NoteIddtext(print->record.iddtext);
  const int page = std::stoi(request.matches[2]);
  const auto found = print->record.pictures.find(page);
  const std::optional<std::string> bytes =
      found == print->record.pictures.end() ? std::nullopt : ReadFile(found->second);
  if (!bytes) {
    SendJson(
        response, 404,
        ErrorJson("The print \"" + print->id + "\" has no picture of page " + std::to_string(page))
            .dump());
    return;
  }
  response.set_content(*bytes, "image/png");
}

void PrintService::DeletePrint(const Request& request, Response& response) {
  if (!store_.Remove(request.matches[1])) {
    SendJson(response, 404, ErrorJson(UnknownPrint(request.matches[1], store_.keep())).dump());
    return;
  }
  response.status = 204;
}

void PrintService::GetDeclarationDocument(const Request& request, Response& response) {
  const std::string iddtext = request.matches[1];
  const std::string document = request.matches[2];
  AccessLog::NoteIddtext(iddtext);
  std::map<std::string, QueryValue> query;
  for (const auto& [name, value] : request.params) {
    auto [entry, added] = query.try_emplace(name, QueryValue{value});
    if (!added) ++entry->second.count;
  }
  PrintOrder order;
  try {
    order = ReadPrintOrder(iddtext, query);
  } catch (const FieldError& e) {
    metrics_.CountFailure(FailureKind::kBadRequest, {});
    SendJson(response, 400, ErrorJson(e.what(), e.field()).dump());
    return;
  }
  // The document goes in the answer: its folder lives as long as this
  // request.
  const Workspace workspace = store_.NewWorkspace();
  const Timed run = Run(order, workspace.path(),
                        document == "cover" ? Documents::kCover : Documents::kContinuation);
  if (run.outcome.failure) {
    SendFailure(run.outcome, response);
    return;
  }
  const std::filesystem::path& path =
      document == "cover" ? run.outcome.cover : run.outcome.continuation;
  const std::optional<std::string> bytes = ReadFile(path);
  if (!bytes) throw std::runtime_error("cannot read the printed document " + path.string());
  SendPdf(response, *bytes, FileName(iddtext, document));
}

void PrintService::GetHealth(Response& response) {
  std::string problem;
  {
    std::lock_guard lock(health_mutex_);
    const auto now = std::chrono::steady_clock::now();
    if (!health_known_ || now - health_checked_ > kHealthCacheTime) {
      health_problem_ = HealthProblem(options_.connection);
      health_checked_ = now;
      health_known_ = true;
    }
    problem = health_problem_;
  }
  if (problem.empty()) {
    SendJson(response, 200, Json({{"status", "ok"}}).dump());
  } else {
    SendJson(response, 503, Json({{"status", "unavailable"}, {"error", problem}}).dump());
  }
}

void PrintService::GetMetrics(Response& response) {
  response.set_content(metrics_.Text({store_.size(), pool_.busy(), pool_.size()}),
                       "text/plain; version=0.0.4; charset=utf-8");
}

}  // namespace tipolaria::serve
