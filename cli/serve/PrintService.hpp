// The HTTP interface of the print service: its routes, the token check, the
// access log and the JSON errors, on a cpp-httplib server.
//
//   POST   /v1/prints                          print a declaration (JSON body), 201
//   GET    /v1/prints/{id}                     the print's answer again
//   GET    /v1/prints/{id}/cover.pdf           its documents
//   GET    /v1/prints/{id}/continuation.pdf
//   GET    /v1/prints/{id}/pages/{n}.png       a picture of page n
//   DELETE /v1/prints/{id}                     forget it now, 204
//   GET    /v1/declarations/{iddtext}/cover.pdf?oper=1&...   one document in one request
//   GET    /v1/declarations/{iddtext}/continuation.pdf?...
//   GET    /                                   the preview page
//   GET    /healthz                            the database reachable: 200, or 503
//   GET    /metrics                            Prometheus text
//
// Every error answers JSON: {"error": "...", "field": "..."} for a refused
// request (400), and with "results", each operation's JSON result as the
// component returned it, when the generation or a print failed: 404 for an
// unknown declaration, 503 with Retry-After when the print lock stayed
// taken, 500 otherwise.
#ifndef TIPOLARIA_CLI_SERVE_PRINTSERVICE_HPP_
#define TIPOLARIA_CLI_SERVE_PRINTSERVICE_HPP_

#include <httplib.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <mutex>
#include <string>
#include <thread>

#include "serve/AccessLog.hpp"
#include "serve/Metrics.hpp"
#include "serve/PrintJob.hpp"
#include "serve/PrintStore.hpp"
#include "serve/SessionPool.hpp"

namespace tipolaria::serve {

// A request body larger than this is refused (413): a print order is a few
// hundred bytes.
inline constexpr std::size_t kMaxBodyBytes = 64 * 1024;

struct ServiceOptions {
  std::string token;               // the bearer token every request but /healthz needs; empty: none
  std::string connection;          // the database /healthz checks
  std::int32_t lock_timeout = 60;  // seconds
  // A print renders its two documents at once, on two threads, while fewer
  // prints than processors are under way: a lower latency on a machine the
  // service has to itself, the same prints per second when it is busy.
  bool documents_at_once = false;
};

class PrintService {
 public:
  PrintService(SessionPool& pool, PrintStore& store, Metrics& metrics, AccessLog& log,
               ServiceOptions options);

  // Routes `server` to this service.
  void Install(httplib::Server& server);

 private:
  struct Timed {
    PrintOutcome outcome;
    std::chrono::duration<double> duration;
  };
  Timed Run(const PrintOrder& order, const std::filesystem::path& folder, Documents documents);

  void PostPrint(const httplib::Request& request, httplib::Response& response);
  void GetPrint(const httplib::Request& request, httplib::Response& response);
  void GetPrintFile(const httplib::Request& request, httplib::Response& response);
  void GetPicture(const httplib::Request& request, httplib::Response& response);
  void DeletePrint(const httplib::Request& request, httplib::Response& response);
  void GetDeclarationDocument(const httplib::Request& request, httplib::Response& response);
  void GetHealth(httplib::Response& response);
  void GetMetrics(httplib::Response& response);
  bool Authorized(const httplib::Request& request, httplib::Response& response);
  void SendFailure(const PrintOutcome& outcome, httplib::Response& response);
  std::string PrintJson(const StoredPrint& print) const;

  SessionPool& pool_;
  PrintStore& store_;
  Metrics& metrics_;
  AccessLog& log_;
  ServiceOptions options_;
  // The machine's processors: a print renders its two documents at once
  // while fewer prints than these are under way.
  const std::size_t processors_ = std::max(1u, std::thread::hardware_concurrency());
  // /healthz answers from a check at most this old, so that a load
  // balancer's probes do not each open a connection to the database.
  std::mutex health_mutex_;
  std::chrono::steady_clock::time_point health_checked_;
  std::string health_problem_;
  bool health_known_ = false;
};

}  // namespace tipolaria::serve

#endif  // TIPOLARIA_CLI_SERVE_PRINTSERVICE_HPP_
