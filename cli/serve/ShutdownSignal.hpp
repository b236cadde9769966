// How the service learns that it is to stop: SIGTERM (systemd's stop),
// SIGINT (Ctrl-C) or SIGHUP. They are blocked in every thread and taken by
// one watcher thread, which calls the service's stop once; the requests in
// flight then finish. Make it before any other thread, so that every
// thread started later inherits the blocked signals.
#ifndef TIPOLARIA_CLI_SERVE_SHUTDOWNSIGNAL_HPP_
#define TIPOLARIA_CLI_SERVE_SHUTDOWNSIGNAL_HPP_

#include <signal.h>

#include <atomic>
#include <functional>
#include <thread>

namespace tipolaria::serve {

class ShutdownSignal {
 public:
  // `on_signal` runs on the watcher thread with the signal's number.
  explicit ShutdownSignal(std::function<void(int)> on_signal);
  // Ends the watcher; the signals stay blocked.
  ~ShutdownSignal();
  ShutdownSignal(const ShutdownSignal&) = delete;
  ShutdownSignal& operator=(const ShutdownSignal&) = delete;

 private:
  sigset_t signals_;
  std::atomic<bool> ending_{false};
  std::thread watcher_;
};

}  // namespace tipolaria::serve

#endif  // TIPOLARIA_CLI_SERVE_SHUTDOWNSIGNAL_HPP_
