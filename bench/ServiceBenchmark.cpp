// The print service under load, as hosts use it: `tipolaria serve` on the
// demo database, clients on keep-alive connections posting the demo
// declaration (generation and both PDFs, no pictures). Prints each figure
// beside its goal, and the machine's load average before and after:
//
//   - the median latency of a warm service, one client;
//   - requests per second with two clients against one (two workers), the
//     median of three rounds that take turns;
//   - the service's memory (resident set) after 1,000 requests in a row
//     against its memory when warm.
//
// Usage: bench_service [REQUESTS_FOR_MEMORY [SERVE_OPTION...]]: 1000 requests
// by default; the options go to `tipolaria serve` (for example
// --documents-at-once, whose single client renders on two processors, so
// that two clients can add less to it). The database and
// the service's prints live in a folder made in TMPDIR (default /tmp) and
// removed at the end: TMPDIR=/dev/shm leaves the disk's syncs out.
#include <fcntl.h>
#include <httplib.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;
namespace fs = std::filesystem;

constexpr const char* kDemoOrder =
    R"({"iddtext": "26001IC04000123A", "nombre_despachante": "O'BRIEN, JUAN PATRICIO",
        "fecofi": "05/12/2026 10:42:17", "oper": 1, "canal": "2",
        "org": "ADUANA DE BUENOS AIRES", "eta": "X1", "oper_date": "05/12/2026",
        "referencia_cliente": "PO-4471/2026", "copias": 1, "pictures": false})";

std::string ReadFile(const fs::path& path) {
  std::ifstream in(path);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

// `tipolaria serve` on the demo database, two workers, prints kept a
// minute (the memory run keeps a thousand of them on disk meanwhile).
class Service {
 public:
  Service(const fs::path& folder, const std::vector<std::string>& options)
      : err_(folder / "serve.err") {
    const std::string tool = TIPOLARIA_CLI;
    const std::string demo =
        tool + " demo --out '" + (folder / "demo").string() + "' > /dev/null 2>&1";
    if (std::system(demo.c_str()) != 0) Die("tipolaria demo failed");
    std::vector<std::string> words = {
        tool,       "serve",       "-c",        "sqlite:" + (folder / "demo" / "demo.db").string(),
        "--listen", "127.0.0.1:0", "--workers", "2",
        "--keep",   "60"};
    words.insert(words.end(), options.begin(), options.end());
    std::vector<char*> argv;
    for (std::string& word : words) argv.push_back(word.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 2, err_.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    if (posix_spawn(&pid_, argv[0], &actions, nullptr, argv.data(), environ) != 0) {
      Die("cannot start the service");
    }
    posix_spawn_file_actions_destroy(&actions);
    const std::regex listening(R"(listening on http://127\.0\.0\.1:(\d+)/)");
    for (int i = 0; i < 3000 && port_ < 0; ++i) {
      std::smatch match;
      const std::string err = ReadFile(err_);
      if (std::regex_search(err, match, listening)) port_ = std::stoi(match[1]);
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    if (port_ < 0) Die("the service did not start: " + ReadFile(err_));
  }
  ~Service() {
    ::kill(pid_, SIGTERM);
    int status = 0;
    ::waitpid(pid_, &status, 0);
  }

  int port() const { return port_; }
  // The service's processor time so far (user and system), in milliseconds:
  // on a shared machine a steadier figure than the wall time.
  double CpuMs() const {
    std::ifstream stat("/proc/" + std::to_string(pid_) + "/stat");
    std::string text;
    std::getline(stat, text);
    std::istringstream fields(text.substr(text.rfind(')') + 2));
    std::string field;
    double ticks = 0;
    for (int i = 3; i <= 15 && fields >> field; ++i) {
      if (i == 14 || i == 15) ticks += std::stod(field);
    }
    return ticks * 1000.0 / static_cast<double>(::sysconf(_SC_CLK_TCK));
  }
  // The service's resident memory, in kB.
  long ResidentKb() const {
    std::ifstream status("/proc/" + std::to_string(pid_) + "/status");
    for (std::string line; std::getline(status, line);) {
      if (line.rfind("VmRSS:", 0) == 0) return std::stol(line.substr(6));
    }
    return -1;
  }

  [[noreturn]] static void Die(const std::string& why) {
    std::fprintf(stderr, "bench_service: %s\n", why.c_str());
    std::exit(1);
  }

 private:
  fs::path err_;
  pid_t pid_ = -1;
  int port_ = -1;
};

// One host: a keep-alive connection, one print after another.
class Host {
 public:
  explicit Host(int port) : client_("127.0.0.1", port) {
    client_.set_keep_alive(true);
    client_.set_tcp_nodelay(true);  // as hosts' HTTP clients send a request
    client_.set_read_timeout(120);
  }
  // One print; its latency in milliseconds.
  double Print() {
    const auto start = Clock::now();
    const auto result = client_.Post("/v1/prints", kDemoOrder, "application/json");
    if (!result || result->status != 201) {
      Service::Die("a print failed: " +
                   (result ? result->body : httplib::to_string(result.error())));
    }
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
  }

 private:
  httplib::Client client_;
};

// The machine's load average over the last minute: the figures are only
// as good as the processors were free.
std::string LoadAverage() {
  std::string one_minute;
  std::ifstream("/proc/loadavg") >> one_minute;
  return one_minute;
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  const std::size_t n = values.size();
  return n % 2 == 1 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

// Prints per second of `clients` hosts printing at once for `seconds`.
double Throughput(int port, int clients, double seconds) {
  std::atomic<long> done{0};
  const auto stop = Clock::now() + std::chrono::duration<double>(seconds);
  const auto start = Clock::now();
  std::vector<std::thread> threads;
  for (int i = 0; i < clients; ++i) {
    threads.emplace_back([&] {
      Host host(port);
      while (Clock::now() < stop) {
        host.Print();
        ++done;
      }
    });
  }
  for (std::thread& thread : threads) thread.join();
  return static_cast<double>(done) / std::chrono::duration<double>(Clock::now() - start).count();
}

}  // namespace

int main(int argc, char** argv) {
  const int memory_requests = argc > 1 ? std::atoi(argv[1]) : 1000;
  std::string folder_template = (fs::temp_directory_path() / "tipolaria-bench-XXXXXX").string();
  if (::mkdtemp(folder_template.data()) == nullptr) Service::Die("mkdtemp");
  const fs::path folder = folder_template;
  {
    std::printf("load average at the start            %7s       (2 processors)\n",
                LoadAverage().c_str());
    ::setenv("TMPDIR", folder.c_str(), 1);
    const std::vector<std::string> options(argv + std::min(argc, 2), argv + argc);
    std::string shown;
    for (const std::string& option : options) shown += " " + option;
    std::printf("tipolaria serve --workers 2%s\n", shown.c_str());
    Service service(folder, options);
    Host host(service.port());
    for (int i = 0; i < 20; ++i) host.Print();  // warm: fonts, statements, caches

    std::vector<double> latencies;
    const double cpu_before = service.CpuMs();
    for (int i = 0; i < 100; ++i) latencies.push_back(host.Print());
    const double cpu = (service.CpuMs() - cpu_before) / 100;
    std::printf("median latency, warm, one client     %7.1f ms     (goal <= 15 ms)\n",
                Median(latencies));
    std::printf("processor time of the service        %7.1f ms a print\n", cpu);

    // One client and two in turn, a few rounds: each round's ratio compares
    // the two under the same conditions, while a shared machine's speed
    // drifts from one second to the next.
    std::vector<double> ones;
    std::vector<double> twos;
    std::vector<double> ratios;
    constexpr int kRounds = 3;
    for (int round = 0; round < kRounds; ++round) {
      ones.push_back(Throughput(service.port(), 1, 3));
      twos.push_back(Throughput(service.port(), 2, 3));
      ratios.push_back(twos.back() / ones.back());
    }
    std::printf("prints per second, 1 client          %7.1f\n", Median(ones));
    std::printf("prints per second, 2 clients         %7.1f        %.2fx (goal >= 1.6x)\n",
                Median(twos), Median(ratios));
    std::printf("  each round: 1 client, 2 clients, ratio");
    for (int round = 0; round < kRounds; ++round) {
      std::printf("  %.0f %.0f %.2fx", ones[round], twos[round], ratios[round]);
    }
    std::printf("\n");

    const long warm = service.ResidentKb();
    for (int i = 0; i < memory_requests; ++i) host.Print();
    const long after = service.ResidentKb();
    std::printf("memory, warm -> after %d prints    %6ld -> %ld kB  %+.1f%% (goal within 10%%)\n",
                memory_requests, warm, after, 100.0 * (after - warm) / warm);
    std::printf("load average at the end              %7s\n", LoadAverage().c_str());
  }
  fs::remove_all(folder);
  return 0;
}
