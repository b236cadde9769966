// `tipolaria serve` as its clients meet it: the real program on 127.0.0.1
// and a free port, over a test database, spoken to over HTTP.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <nlohmann/json.hpp>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <memory>
#include <thread>
#include <vector>

#include "cli/ToolRun.hpp"
#include "cli/serve/ServiceProcess.hpp"
#include "support/PdfReadback.hpp"
#include "support/TestDatabase.hpp"
#include "support/TestImage.hpp"

namespace tipolaria {
namespace {

namespace fs = std::filesystem;
using nlohmann::json;
using testing::ServiceProcess;

constexpr const char* kDemo = "26001IC04000123A";
constexpr const char* kExport = "26033EC01000102P";
constexpr const char* kJsonType = "application/json; charset=utf-8";

// The demo's arguments, as a host of the class passes them and as the
// command line takes them.
const json kDemoOrder = {{"iddtext", kDemo},
                         {"nombre_despachante", "O'BRIEN, JUAN PATRICIO"},
                         {"fecofi", "05/12/2026 10:42:17"},
                         {"oper", 1},
                         {"canal", "2"},
                         {"org", "ADUANA DE BUENOS AIRES"},
                         {"eta", "X1"},
                         {"oper_date", "05/12/2026"},
                         {"referencia_cliente", "PO-4471/2026"},
                         {"copias", 1}};
constexpr const char* kDemoOptions =
    "--iddtext 26001IC04000123A --nombre-despachante \"O'BRIEN, JUAN PATRICIO\" "
    "--fecofi '05/12/2026 10:42:17' --oper 1 --canal 2 --org 'ADUANA DE BUENOS AIRES' --eta X1 "
    "--oper-date 05/12/2026 --referencia-cliente PO-4471/2026 --copias 1";

class ServiceTest : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const char* script : {"decl_catalogo.sql", "decl_demo.sql", "decl_sin_liquidacion.sql"}) {
      tdb_.RunScript(script);
    }
  }

  std::unique_ptr<ServiceProcess> Start(const std::vector<std::string>& more = {}) {
    std::vector<std::string> arguments = {"-c", tdb_.connection(), "--workers", "2"};
    arguments.insert(arguments.end(), more.begin(), more.end());
    auto service = std::make_unique<ServiceProcess>(arguments);
    EXPECT_TRUE(service->listening()) << service->Err();
    return service;
  }

  static httplib::Result Post(const ServiceProcess& service, const json& order,
                              const httplib::Headers& headers = {}) {
    return service.Client().Post("/v1/prints", headers, order.dump(), "application/json");
  }

  // A file's text as a reader extracts it, one page after another.
  std::string SaveAndRead(const std::string& bytes) {
    const std::string path = tdb_.folder() + "/read-" + std::to_string(++files_) + ".pdf";
    std::ofstream(path, std::ios::binary) << bytes;
    return testing::CommandOutput("pdftotext -layout '" + path + "' -");
  }
  int PagesOf(const std::string& bytes) {
    const std::string path = tdb_.folder() + "/count-" + std::to_string(++files_) + ".pdf";
    std::ofstream(path, std::ios::binary) << bytes;
    return testing::PageCount(path);
  }
  static std::string Slurp(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }

  // The store's private folder inside the service's TMPDIR.
  static fs::path StoreFolder(const ServiceProcess& service) {
    for (const auto& entry : fs::directory_iterator(service.temp_folder())) return entry.path();
    return {};
  }

  testing::TestDatabase tdb_;
  int files_ = 0;
};

TEST_F(ServiceTest, PrintsAsTheCommandLineDoes) {
  const std::string cover = tdb_.folder() + "/cli-cover.pdf";
  const std::string continuation = tdb_.folder() + "/cli-continuation.pdf";
  const testing::ToolRun cli =
      testing::RunTool("generate -c '" + tdb_.connection() + "' " + kDemoOptions + " --cover '" +
                       cover + "' --continuation '" + continuation + "'");
  const std::vector<std::string> lines = testing::Lines(cli.out);
  ASSERT_EQ(lines.size(), 3u) << cli.err;

  auto service = Start();
  httplib::Client client = service->Client();
  const auto posted = Post(*service, kDemoOrder);
  ASSERT_TRUE(posted);
  ASSERT_EQ(posted->status, 201) << posted->body;
  EXPECT_EQ(posted->get_header_value("Content-Type"), kJsonType);
  // Each operation's result as the class returns it, byte for byte.
  EXPECT_NE(posted->body.find("\"results\": {\"GenerateIMP\": " + lines[0] +
                              ", \"PrintPDFCaratula\": " + lines[1] +
                              ", \"PrintPDFSubItems\": " + lines[2] + "}"),
            std::string::npos)
      << posted->body;
  const json answer = json::parse(posted->body);
  const std::string id = answer["id"];
  EXPECT_EQ(posted->get_header_value("Location"), "/v1/prints/" + id);
  EXPECT_EQ(answer["pages"],
            json({{"cover", 3}, {"continuation", 8}, {"caratula_hojas", 3}, {"total", 11}}));

  const auto cover_pdf = client.Get(answer["cover"].get<std::string>());
  const auto continuation_pdf = client.Get(answer["continuation"].get<std::string>());
  ASSERT_TRUE(cover_pdf && continuation_pdf);
  EXPECT_EQ(cover_pdf->get_header_value("Content-Type"), "application/pdf");
  EXPECT_EQ(SaveAndRead(cover_pdf->body), SaveAndRead(Slurp(cover)));
  EXPECT_EQ(SaveAndRead(continuation_pdf->body), SaveAndRead(Slurp(continuation)));
  EXPECT_EQ(PagesOf(cover_pdf->body), 3);
  EXPECT_EQ(PagesOf(continuation_pdf->body), 8);

  // A picture of every page, in order.
  ASSERT_EQ(answer["pictures"].size(), 11u);
  for (int page = 1; page <= 11; ++page) {
    const json& picture = answer["pictures"][page - 1];
    EXPECT_EQ(picture["page"], page);
    EXPECT_EQ(picture["document"], page <= 3 ? "cover" : "continuation");
    const auto png = client.Get(picture["href"].get<std::string>());
    ASSERT_TRUE(png);
    EXPECT_EQ(png->status, 200);
    EXPECT_EQ(png->get_header_value("Content-Type"), "image/png");
    EXPECT_EQ(png->body.substr(0, 8), "\x89PNG\r\n\x1A\n");
  }
  EXPECT_EQ(client.Get("/v1/prints/" + id)->body, posted->body);

  // One document in one request, with the same arguments in the query.
  httplib::Params query;
  for (const auto& [name, value] : kDemoOrder.items()) {
    if (name != "iddtext")
      query.emplace(name, value.is_string() ? value.get<std::string>() : value.dump());
  }
  const auto single = client.Get(std::string("/v1/declarations/") + kDemo + "/cover.pdf", query,
                                 httplib::Headers{});
  ASSERT_TRUE(single);
  ASSERT_EQ(single->status, 200) << single->body;
  EXPECT_EQ(single->get_header_value("Content-Disposition"),
            "inline; filename=\"26001IC04000123A-cover.pdf\"");
  EXPECT_EQ(SaveAndRead(single->body), SaveAndRead(Slurp(cover)));

  // The range is the pages asked for; a document without any is not printed.
  const auto ranged = Post(*service, {{"iddtext", kDemo},
                                      {"desde", 2},
                                      {"hasta", 3},
                                      {"pictures", false},
                                      {"oper_date", "05/12/2026"}});
  ASSERT_EQ(ranged->status, 201) << ranged->body;
  const json pages_2_3 = json::parse(ranged->body);
  EXPECT_EQ(pages_2_3["pages"]["cover"], 2);
  EXPECT_EQ(pages_2_3["continuation"], nullptr);
  EXPECT_EQ(pages_2_3["pictures"], json::array());
  EXPECT_EQ(PagesOf(client.Get(pages_2_3["cover"].get<std::string>())->body), 2);

  // One line per request in the log, naming the declaration.
  EXPECT_NE(service->Err().find("\"POST /v1/prints\" 201 "), std::string::npos);
  EXPECT_NE(service->Err().find("\"GET /v1/declarations/26001IC04000123A/cover.pdf\" 200 "),
            std::string::npos)
      << service->Err();
}

// What the command line sets holds for every worker's session: the logo on
// the pages, a statement log of its own.
TEST_F(ServiceTest, EveryWorkerTakesTheSettingsOfTheCommandLine) {
  const std::string logo = tdb_.folder() + "/logo.png";
  testing::WritePng(logo, 40, 20, 0.1, 0.3, 0.8);
  const std::string log = tdb_.folder() + "/statements.sql";
  auto service = Start({"--logo", logo, "--sql-log", log});
  const auto posted = Post(*service, {{"iddtext", kDemo}, {"pictures", false}});
  ASSERT_EQ(posted->status, 201) << posted->body;
  const std::string cover = tdb_.folder() + "/logo-cover.pdf";
  std::ofstream(cover, std::ios::binary)
      << service->Client().Get(json::parse(posted->body)["cover"].get<std::string>())->body;
  EXPECT_NE(testing::CommandOutput("pdfimages -list '" + cover + "'").find("image"),
            std::string::npos);
  const std::string statements = Slurp(log + ".1") + Slurp(log + ".2");
  EXPECT_TRUE(fs::exists(log + ".1") && fs::exists(log + ".2"));
  EXPECT_NE(statements.find("IMP"), std::string::npos) << statements;
}

TEST_F(ServiceTest, BadRequestsAre400sNamingTheField) {
  auto service = Start();
  httplib::Client client = service->Client();
  struct Case {
    std::string body;
    int status;
    std::string field;
  };
  const Case cases[] = {
      {"{\"iddtext\": ", 400, "body"},
      {R"({"iddtext": "A", "colour": "red"})", 400, "colour"},
      {R"({"iddtext": ["A"]})", 400, "body"},
      {R"({"iddtext": 7})", 400, "iddtext"},
      {R"({"iddtext": "A", "copias": 40000})", 400, "copias"},
      {R"({"iddtext": "A", "oper": 2})", 400, "oper"},
      // Refused by the session: no 31 February.
      {R"({"iddtext": "26001IC04000123A", "oper_date": "31/02/2026"})", 400, "oper_date"},
      {R"({"iddtext": "26001IC04000123A", "desde": 12, "pictures": false})", 400, "desde"},
      {R"({"iddtext": ")" + std::string(70 * 1024, 'X') + "\"}", 413, "body"},
  };
  for (const Case& c : cases) {
    const auto response = client.Post("/v1/prints", c.body, "application/json");
    ASSERT_TRUE(response) << c.body.substr(0, 80);
    EXPECT_EQ(response->status, c.status) << c.body.substr(0, 80) << "\n" << response->body;
    EXPECT_EQ(response->get_header_value("Content-Type"), kJsonType);
    const json answer = json::parse(response->body, nullptr, false);
    EXPECT_EQ(answer.value("field", ""), c.field) << response->body;
    EXPECT_FALSE(answer.value("error", "").empty()) << response->body;
  }
  const auto query = client.Get("/v1/declarations/26001IC04000123A/cover.pdf?copias=dos");
  EXPECT_EQ(query->status, 400);
  EXPECT_EQ(json::parse(query->body)["field"], "copias");
  const auto no_route = client.Get("/v1/nothing");
  EXPECT_EQ(no_route->status, 404);
  EXPECT_EQ(json::parse(no_route->body)["error"], "No such resource: GET /v1/nothing");
  EXPECT_EQ(client.Get("/v1/prints/0123456789abcdef0123456789abcdef/cover.pdf")->status, 404);
}

// Failures carry the component's JSON: 404 for an unknown declaration, 503
// with Retry-After while another session keeps the print lock, 500 for the
// rest; the metrics count them by kind and the service stays up.
TEST_F(ServiceTest, FailuresCarryTheComponentsResult) {
  auto service = Start({"--lock-timeout", "0"});
  httplib::Client client = service->Client();
  EXPECT_EQ(client.Get("/healthz")->status, 200);
  const testing::ToolRun cli =
      testing::RunTool("generate -c '" + tdb_.connection() + "' --iddtext NOPE");
  const auto unknown = Post(*service, {{"iddtext", "NOPE"}});
  EXPECT_EQ(unknown->status, 404);
  EXPECT_EQ(unknown->body,
            "{\"error\":\"No se encontró la declaración 'NOPE'\", \"results\": "
            "{\"GenerateIMP\": " +
                testing::Lines(cli.out).at(0) + "}}");
  const auto continuation = client.Get(std::string("/v1/declarations/") + kExport +
                                       "/continuation.pdf?oper_date=05/12/2026");
  EXPECT_EQ(continuation->status, 404) << continuation->body;

  {
    // Another session's generation holds the lock.
    const int lock = ::open((tdb_.path() + ".print-lock").c_str(), O_RDWR | O_CREAT, 0600);
    ASSERT_EQ(::flock(lock, LOCK_EX), 0);
    const auto busy = Post(*service, {{"iddtext", kDemo}});
    EXPECT_EQ(busy->status, 503) << busy->body;
    EXPECT_EQ(busy->get_header_value("Retry-After"), "1");
    EXPECT_NE(busy->body.find("\"source\":\"PrintLock - GenerateIMP\""), std::string::npos)
        << busy->body;
    ::close(lock);
  }

  tdb_.Run("DROP TABLE LIT");
  const auto broken = Post(*service, {{"iddtext", kDemo}, {"oper_date", "05/12/2026"}});
  EXPECT_EQ(broken->status, 500) << broken->body;
  const json answer = json::parse(broken->body);
  EXPECT_EQ(answer["results"]["GenerateIMP"]["Result"], "ERR");
  EXPECT_EQ(answer["error"], answer["results"]["GenerateIMP"]["errorMessage"]);

  const std::string metrics = client.Get("/metrics")->body;
  for (const char* line :
       {"tipolaria_prints_total 0\n", "tipolaria_print_failures_total{kind=\"not_found\"} 2\n",
        "tipolaria_print_failures_total{kind=\"lock_timeout\"} 1\n",
        "tipolaria_print_failures_total{kind=\"generation\"} 1\n",
        "tipolaria_print_duration_seconds_count 4\n",
        "tipolaria_http_responses_total{code=\"503\"} 1\n"}) {
    EXPECT_NE(metrics.find(line), std::string::npos) << line << metrics;
  }

  // The database gone: the health check says so.
  fs::rename(tdb_.path(), tdb_.path() + ".away");
  std::this_thread::sleep_for(std::chrono::milliseconds(1100));
  const auto health = client.Get("/healthz");
  EXPECT_EQ(health->status, 503);
  EXPECT_EQ(json::parse(health->body)["status"], "unavailable");
  fs::rename(tdb_.path() + ".away", tdb_.path());
}

// Two declarations printed by 20 clients at once on two workers: every
// document is its own declaration's, as printed alone.
TEST_F(ServiceTest, ConcurrentRequestsNeverMix) {
  // Both documents at once while a processor is free, one after the other
  // otherwise: the prints take both ways here.
  auto service = Start({"--documents-at-once"});
  const auto order = [](const char* iddtext) {
    return json{{"iddtext", iddtext}, {"oper_date", "05/12/2026"}, {"pictures", false}};
  };
  std::map<std::string, std::string> alone;
  for (const char* iddtext : {kDemo, kExport}) {
    const json answer = json::parse(Post(*service, order(iddtext))->body);
    alone[iddtext] = SaveAndRead(service->Client().Get(answer["cover"].get<std::string>())->body);
  }
  ASSERT_NE(alone[kDemo], alone[kExport]);

  std::vector<std::string> covers(20);
  std::vector<std::string> failures(20);
  std::vector<std::thread> clients;
  for (std::size_t i = 0; i < covers.size(); ++i) {
    clients.emplace_back([&, i] {
      const auto posted = Post(*service, order(i % 2 == 0 ? kDemo : kExport));
      if (!posted || posted->status != 201) {
        failures[i] = posted ? posted->body : httplib::to_string(posted.error());
        return;
      }
      const json answer = json::parse(posted->body);
      const auto pdf = service->Client().Get(answer["cover"].get<std::string>());
      if (pdf && pdf->status == 200) covers[i] = pdf->body;
    });
  }
  for (std::thread& client : clients) client.join();
  for (std::size_t i = 0; i < covers.size(); ++i) {
    ASSERT_EQ(failures[i], "") << "client " << i << "\n" << service->Err();
    EXPECT_EQ(SaveAndRead(covers[i]), alone[i % 2 == 0 ? kDemo : kExport]) << "client " << i;
  }
}

TEST_F(ServiceTest, TokenRequiredOffLoopback) {
  ServiceProcess open({"-c", tdb_.connection(), "--listen", "0.0.0.0:0"});
  EXPECT_FALSE(open.listening());
  EXPECT_EQ(open.Wait(), 2);
  EXPECT_NE(open.Err().find("give --token-file FILE"), std::string::npos) << open.Err();

  const std::string token = "f3a9c1d2e4b5a6978877665544332211";
  // Both secrets in files, as the systemd unit hands them over.
  const std::string token_file = tdb_.folder() + "/token";
  const std::string connection_file = tdb_.folder() + "/connection";
  std::ofstream(token_file) << token << "\n";
  std::ofstream(connection_file) << tdb_.connection() << "\n";
  ::chmod(token_file.c_str(), 0600);
  ::chmod(connection_file.c_str(), 0600);
  ServiceProcess service(
      {"--connection-file", connection_file, "--listen", "0.0.0.0:0", "--token-file", token_file});
  ASSERT_TRUE(service.listening()) << service.Err();
  httplib::Client client = service.Client();
  EXPECT_EQ(client.Get("/healthz")->status, 200);
  EXPECT_EQ(client.Get("/")->status, 200);  // the page holds no declaration
  const auto refused = Post(service, {{"iddtext", kDemo}});
  EXPECT_EQ(refused->status, 401);
  EXPECT_EQ(refused->get_header_value("WWW-Authenticate"), "Bearer realm=\"tipolaria\"");
  EXPECT_EQ(client.Get("/metrics")->status, 401);
  EXPECT_EQ(
      Post(service, {{"iddtext", kDemo}}, {{"Authorization", "Bearer " + token + "0"}})->status,
      401);
  const httplib::Headers bearer = {{"Authorization", "Bearer " + token}};
  const auto posted = Post(service, {{"iddtext", kDemo}, {"pictures", false}}, bearer);
  ASSERT_EQ(posted->status, 201) << posted->body;
  const std::string cover = json::parse(posted->body)["cover"];
  EXPECT_EQ(client.Get(cover)->status, 401);
  EXPECT_EQ(client.Get(cover, bearer)->status, 200);
  EXPECT_EQ(service.Err().find(token), std::string::npos) << "the token reached the log";
}

// Two requests in flight on two workers, both inside their generations at
// once (each session waits for the print lock that another process holds):
// SIGTERM lets both finish, then the service stops with nothing on disk.
TEST_F(ServiceTest, SigtermLetsTheRequestsInFlightFinish) {
  auto service = Start({"--lock-timeout", "20"});
  const fs::path store = StoreFolder(*service);
  ASSERT_TRUE(fs::is_directory(store));
  const int lock = ::open((tdb_.path() + ".print-lock").c_str(), O_RDWR | O_CREAT, 0600);
  ASSERT_EQ(::flock(lock, LOCK_EX), 0);
  std::vector<int> statuses(2, 0);
  std::vector<std::thread> in_flight;
  for (int& status : statuses) {
    in_flight.emplace_back([&service, &status] {
      const auto posted = Post(*service, {{"iddtext", kDemo}, {"pictures", false}});
      status = posted ? posted->status : -1;
    });
  }
  // Both workers wait for the print lock.
  httplib::Client client = service->Client();
  std::string metrics;
  for (int i = 0; i < 1000; ++i) {
    metrics = client.Get("/metrics")->body;
    if (metrics.find("tipolaria_lock_waits_total 2\n") != std::string::npos) break;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  EXPECT_NE(metrics.find("tipolaria_lock_waits_total 2\n"), std::string::npos) << metrics;
  EXPECT_NE(metrics.find("tipolaria_workers_busy 2\n"), std::string::npos) << metrics;
  service->Signal(SIGTERM);
  std::this_thread::sleep_for(std::chrono::milliseconds(300));
  EXPECT_FALSE(client.Get("/healthz")) << "new requests are served after SIGTERM";
  ::close(lock);
  for (std::thread& request : in_flight) request.join();
  EXPECT_EQ(statuses, std::vector<int>({201, 201}));
  EXPECT_EQ(service->Wait(), 0) << service->Err();
  EXPECT_TRUE(fs::is_empty(service->temp_folder())) << "left on disk: " << store;
}

TEST_F(ServiceTest, ExpiredPrintsAreGone) {
  auto service = Start({"--keep", "0.5"});
  httplib::Client client = service->Client();
  // One page, so one picture: quick to draw.
  const json answer =
      json::parse(Post(*service, {{"iddtext", kDemo}, {"desde", 1}, {"hasta", 1}})->body);
  const std::string cover = answer["cover"];
  EXPECT_EQ(client.Get(cover)->status, 200);
  EXPECT_FALSE(fs::is_empty(StoreFolder(*service)));
  std::this_thread::sleep_for(std::chrono::milliseconds(700));
  for (const std::string& path : {cover, answer["pictures"][0]["href"].get<std::string>(),
                                  "/v1/prints/" + answer["id"].get<std::string>()}) {
    const auto gone = client.Get(path);
    EXPECT_EQ(gone->status, 404) << path;
    EXPECT_NE(gone->body.find("expired"), std::string::npos) << gone->body;
  }
  EXPECT_TRUE(fs::is_empty(StoreFolder(*service)));

  // A client may let go of a print sooner.
  const json second = json::parse(Post(*service, {{"iddtext", kDemo}, {"pictures", false}})->body);
  const std::string print = "/v1/prints/" + second["id"].get<std::string>();
  EXPECT_EQ(client.Delete(print)->status, 204);
  EXPECT_EQ(client.Get(print)->status, 404);
}

TEST_F(ServiceTest, SecondServiceOnABusyPortRefusesToStart) {
  auto first = Start();
  ServiceProcess second(
      {"-c", tdb_.connection(), "--listen", "127.0.0.1:" + std::to_string(first->port())});
  EXPECT_FALSE(second.listening());
  EXPECT_EQ(second.Wait(), 2);
  EXPECT_NE(second.Err().find("cannot listen on 127.0.0.1:"), std::string::npos) << second.Err();
}

}  // namespace
}  // namespace tipolaria
