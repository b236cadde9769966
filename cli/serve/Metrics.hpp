// The service's counters for GET /metrics, in the Prometheus text format:
// prints made, failures by kind, waits for the print lock, the duration of
// the prints as a histogram, responses by status, and two gauges the
// service reads when asked (prints kept, sessions busy). Counting is
// lock-free: every request counts, from any thread.
#ifndef TIPOLARIA_CLI_SERVE_METRICS_HPP_
#define TIPOLARIA_CLI_SERVE_METRICS_HPP_

#include <array>
#include <atomic>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <string>

namespace tipolaria::serve {

// Why a print request failed; each kind has its own HTTP status.
enum class FailureKind {
  kBadRequest,   // a field refused (400)
  kNotFound,     // no such declaration or print (404)
  kLockTimeout,  // the print lock stayed taken (503)
  kGeneration,   // the generation's result is ERR otherwise (500)
  kPrint,        // a print's result is ERR (500)
  kInternal,     // anything else (500)
};
inline constexpr std::size_t kFailureKinds = 6;
const char* FailureName(FailureKind kind);

class Metrics {
 public:
  using Duration = std::chrono::duration<double>;

  void CountPrint(Duration duration);
  void CountFailure(FailureKind kind, Duration duration);
  void CountLockWait();
  void CountResponse(int status);

  struct Gauges {
    std::size_t prints_kept = 0;
    std::size_t workers_busy = 0;
    std::size_t workers = 0;
  };
  std::string Text(const Gauges& gauges) const;

 private:
  void Observe(Duration duration);

  static constexpr std::array<double, 13> kBuckets = {0.005, 0.01, 0.025, 0.05, 0.1, 0.25, 0.5,
                                                      1,     2.5,  5,     10,   30,  60};
  std::atomic<std::uint64_t> prints_{0};
  std::array<std::atomic<std::uint64_t>, kFailureKinds> failures_{};
  std::atomic<std::uint64_t> lock_waits_{0};
  std::array<std::atomic<std::uint64_t>, kBuckets.size()> buckets_{};
  std::atomic<std::uint64_t> observed_{0};
  std::atomic<std::uint64_t> microseconds_{0};
  std::array<std::atomic<std::uint64_t>, 600> responses_{};
};

}  // namespace tipolaria::serve

#endif  // TIPOLARIA_CLI_SERVE_METRICS_HPP_
