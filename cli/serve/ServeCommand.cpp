#include "serve/ServeCommand.hpp"

#include <httplib.h>
#include <malloc.h>
#include <string.h>

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <iostream>
#include <memory>
#include <stop_token>
#include <thread>

#include "CommandSession.hpp"
#include "ExitCode.hpp"
#include "serve/BearerToken.hpp"
#include "serve/ListenAddress.hpp"
#include "serve/Listener.hpp"
#include "serve/PrintService.hpp"
#include "serve/ShutdownSignal.hpp"
#include "tipolaria/database.hpp"

namespace tipolaria::cli {
namespace {

using namespace std::chrono_literals;

struct ServeRequest {
  SessionOptions session;
  std::string listen = serve::kDefaultListen;
  std::size_t workers = std::max(1u, std::thread::hardware_concurrency());
  std::string token_file;
  std::string logo;
  double keep_seconds = 600;
  std::size_t max_prints = 1000;
  bool documents_at_once = false;
};

std::string Url(const serve::ListenAddress& address, int port) {
  const bool v6 = address.host.find(':') != std::string::npos;
  return "http://" + (v6 ? "[" + address.host + "]" : address.host) + ":" + std::to_string(port) +
         "/";
}

// Forgets expired prints every second, also while no request comes.
std::jthread StartSweeper(serve::PrintStore& store) {
  return std::jthread([&store](std::stop_token stop) {
    std::mutex mutex;
    std::condition_variable_any wake;
    std::unique_lock lock(mutex);
    while (!wake.wait_for(lock, stop, 1s, [] { return false; }) && !stop.stop_requested()) {
      store.RemoveExpired();
    }
  });
}

// Every print needs about the same memory again: the service keeps up to
// 16 MB of freed memory per allocation arena rather than handing it back to
// the system after each print and faulting it in anew for the next (a
// twentieth of a print's processor time, in page faults and in the other
// processor's address-space flushes). Only blocks of 4 MB and more are
// mapped apart and handed back as soon as they are freed.
void KeepMemoryBetweenPrints() {
  mallopt(M_TRIM_THRESHOLD, 16 * 1024 * 1024);
  mallopt(M_MMAP_THRESHOLD, 4 * 1024 * 1024);
}

void Serve(const ServeRequest& request) {
  serve::ListenAddress address;
  try {
    address = serve::ParseListenAddress(request.listen);
  } catch (const std::invalid_argument& e) {
    Fail(kExitUsage, std::string("serve: ") + e.what());
  }
  if (!serve::IsLoopback(address.host) && request.token_file.empty()) {
    Fail(kExitUsage, "serve: --listen " + request.listen +
                         " is reachable from other machines: give --token-file FILE, and "
                         "clients send \"Authorization: Bearer TOKEN\"");
  }
  std::string token;
  if (!request.token_file.empty()) {
    try {
      token = serve::ReadTokenFile(request.token_file);
    } catch (const std::runtime_error& e) {
      Fail(kExitUsage, std::string("serve: ") + e.what());
    }
  }

  KeepMemoryBetweenPrints();
  const std::string connection = ResolveConnection(request.session.database);
  if (request.session.sql_log && request.session.sql_log->empty()) {
    Fail(kExitUsage, "--sql-log: the statement log names no file");
  }

  // Before any other thread: every thread inherits the blocked signals.
  httplib::Server server;
  std::atomic<bool> serving_over{false};
  serve::ShutdownSignal shutdown([&server, &serving_over](int signal_number) {
    std::cerr << "tipolaria: serve: " << ::strsignal(signal_number)
              << ": finishing the requests in flight, then stopping" << std::endl;
    // A signal that comes while the server is still starting stops it as
    // soon as it listens.
    while (!server.is_running() && !serving_over) std::this_thread::sleep_for(10ms);
    server.stop();
  });

  serve::Metrics metrics;
  serve::SessionConfig config;
  config.connection = connection;
  config.lock_timeout = request.session.lock_timeout;
  config.sql_log = request.session.sql_log.value_or("");
  config.logo = request.logo;
  config.on_lock_wait = [&metrics] { metrics.CountLockWait(); };
  std::unique_ptr<serve::SessionPool> pool;
  try {
    pool = std::make_unique<serve::SessionPool>(config, request.workers);
  } catch (const ComError& e) {
    serving_over = true;
    Fail(kExitDatabase, e);
  }
  std::unique_ptr<serve::PrintStore> store;
  try {
    store = std::make_unique<serve::PrintStore>(
        std::filesystem::temp_directory_path(),
        std::chrono::milliseconds(static_cast<std::int64_t>(request.keep_seconds * 1000)),
        request.max_prints);
  } catch (const std::exception& e) {
    serving_over = true;
    Fail(kExitInternal, std::string("serve: ") + e.what());
  }
  serve::AccessLog log(std::cerr);
  serve::PrintService service(
      *pool, *store, metrics, log,
      {token, config.connection, request.session.lock_timeout, request.documents_at_once});
  service.Install(server);
  // Threads for connections, more than sessions: a browser keeps several
  // connections open while it loads a print's pictures.
  const std::size_t threads = std::max<std::size_t>(8, 4 * request.workers);
  server.new_task_queue = [threads] { return new httplib::ThreadPool(threads); };

  const int port = serve::Bind(server, address);
  if (port < 0) {
    serving_over = true;
    Fail(kExitUsage, "serve: cannot listen on " + request.listen +
                         ": the port is in use, or the address is not one of this machine's");
  }
  std::jthread sweeper = StartSweeper(*store);
  std::cerr << "tipolaria: serve: listening on " << Url(address, port) << " (" << request.workers
            << (request.workers == 1 ? " worker" : " workers") << ", prints kept "
            << request.keep_seconds << " s in " << store->folder().string() << ", database \""
            << MaskConnectionString(config.connection) << "\""
            << (token.empty() ? "" : ", bearer token required")
            << (request.documents_at_once ? ", documents at once while a processor is free" : "")
            << ")" << std::endl;
  server.listen_after_bind();
  serving_over = true;
  sweeper.request_stop();
  sweeper.join();
  std::cerr << "tipolaria: serve: stopped" << std::endl;
}

}  // namespace

void AddServeCommand(CLI::App& app) {
  CLI::App* c = app.add_subcommand(
      "serve",
      "Print declarations for hosts over HTTP and show their pages in a browser (GET / is the "
      "preview page)");
  auto request = std::make_shared<ServeRequest>();
  AddSessionOptions(*c, request->session);
  c->add_option("--listen", request->listen,
                std::string("Address and port, HOST:PORT ([::1]:PORT for IPv6; port 0: any free "
                            "port) (default: ") +
                    serve::kDefaultListen + ")");
  c->add_option("--workers", request->workers,
                "Sessions printing at once, each with its own connection (default: the number "
                "of processors)")
      ->check(CLI::Range(1, 64));
  c->add_option("--token-file", request->token_file,
                "A file whose first line is the token clients send as \"Authorization: Bearer "
                "TOKEN\"; needed off the loopback address")
      ->check(CLI::ExistingFile);
  c->add_option("--logo", request->logo, "A PNG drawn in the logo box of every page")
      ->check(CLI::ExistingFile);
  c->add_option("--keep", request->keep_seconds,
                "Seconds a print is kept for its client to fetch (default: 600)")
      ->check(CLI::Range(0.1, 86400.0));
  c->add_option("--max-prints", request->max_prints,
                "Prints kept at most; the oldest go first (default: 1000)")
      ->check(CLI::Range(1, 1000000));
  c->add_flag("--documents-at-once", request->documents_at_once,
              "Render a print's cover and continuation pages at once, on two threads, while a "
              "processor is free: lower latency on a machine the service has to itself; off by "
              "default, each print on one processor");
  c->footer(kExitCodesHelp);
  c->callback([request] { Serve(*request); });
}

}  // namespace tipolaria::cli
