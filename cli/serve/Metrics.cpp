#include "serve/Metrics.hpp"

#include <sstream>

namespace tipolaria::serve {

const char* FailureName(FailureKind kind) {
  switch (kind) {
    case FailureKind::kBadRequest:
      return "bad_request";
    case FailureKind::kNotFound:
      return "not_found";
    case FailureKind::kLockTimeout:
      return "lock_timeout";
    case FailureKind::kGeneration:
      return "generation";
    case FailureKind::kPrint:
      return "print";
    case FailureKind::kInternal:
      break;
  }
  return "internal";
}

void Metrics::CountPrint(Duration duration) {
  prints_.fetch_add(1, std::memory_order_relaxed);
  Observe(duration);
}

void Metrics::CountFailure(FailureKind kind, Duration duration) {
  failures_[static_cast<std::size_t>(kind)].fetch_add(1, std::memory_order_relaxed);
  // A refused request never reached a session: it has no print's duration.
  if (kind != FailureKind::kBadRequest) Observe(duration);
}

void Metrics::CountLockWait() { lock_waits_.fetch_add(1, std::memory_order_relaxed); }

void Metrics::CountResponse(int status) {
  if (status >= 100 && status < static_cast<int>(responses_.size())) {
    responses_[static_cast<std::size_t>(status)].fetch_add(1, std::memory_order_relaxed);
  }
}

void Metrics::Observe(Duration duration) {
  for (std::size_t i = 0; i < kBuckets.size(); ++i) {
    if (duration.count() <= kBuckets[i]) {
      buckets_[i].fetch_add(1, std::memory_order_relaxed);
      break;
    }
  }
  observed_.fetch_add(1, std::memory_order_relaxed);
  microseconds_.fetch_add(static_cast<std::uint64_t>(duration.count() * 1e6),
                          std::memory_order_relaxed);
}

std::string Metrics::Text(const Gauges& gauges) const {
  std::ostringstream out;
  out.precision(9);
  const auto head = [&out](const char* name, const char* type, const char* help) {
    out << "# HELP " << name << ' ' << help << "\n# TYPE " << name << ' ' << type << '\n';
  };
  head("tipolaria_prints_total", "counter",
       "Declarations generated and printed with an OK result from every operation.");
  out << "tipolaria_prints_total " << prints_.load() << '\n';
  head("tipolaria_print_failures_total", "counter", "Print requests that failed, by kind.");
  for (std::size_t i = 0; i < kFailureKinds; ++i) {
    out << "tipolaria_print_failures_total{kind=\"" << FailureName(static_cast<FailureKind>(i))
        << "\"} " << failures_[i].load() << '\n';
  }
  head("tipolaria_lock_waits_total", "counter",
       "Times a session waited for the database's print lock over half a second.");
  out << "tipolaria_lock_waits_total " << lock_waits_.load() << '\n';
  head("tipolaria_print_duration_seconds", "histogram",
       "Time to answer a print request, the wait for a free session included.");
  std::uint64_t cumulative = 0;
  for (std::size_t i = 0; i < kBuckets.size(); ++i) {
    cumulative += buckets_[i].load();
    out << "tipolaria_print_duration_seconds_bucket{le=\"" << kBuckets[i] << "\"} " << cumulative
        << '\n';
  }
  const std::uint64_t count = observed_.load();
  out << "tipolaria_print_duration_seconds_bucket{le=\"+Inf\"} " << count << '\n'
      << "tipolaria_print_duration_seconds_sum " << static_cast<double>(microseconds_.load()) / 1e6
      << '\n'
      << "tipolaria_print_duration_seconds_count " << count << '\n';
  head("tipolaria_http_responses_total", "counter", "HTTP responses, by status.");
  for (std::size_t status = 100; status < responses_.size(); ++status) {
    const std::uint64_t n = responses_[status].load();
    if (n > 0) out << "tipolaria_http_responses_total{code=\"" << status << "\"} " << n << '\n';
  }
  head("tipolaria_prints_kept", "gauge", "Prints kept for their clients to fetch.");
  out << "tipolaria_prints_kept " << gauges.prints_kept << '\n';
  head("tipolaria_workers_busy", "gauge", "Sessions printing now.");
  out << "tipolaria_workers_busy " << gauges.workers_busy << '\n';
  head("tipolaria_workers", "gauge", "Sessions of the service (--workers).");
  out << "tipolaria_workers " << gauges.workers << '\n';
  return out.str();
}

}  // namespace tipolaria::serve
