#include "serve/ShutdownSignal.hpp"

#include <pthread.h>

namespace tipolaria::serve {

ShutdownSignal::ShutdownSignal(std::function<void(int)> on_signal) {
  sigemptyset(&signals_);
  for (const int signal_number : {SIGTERM, SIGINT, SIGHUP}) sigaddset(&signals_, signal_number);
  pthread_sigmask(SIG_BLOCK, &signals_, nullptr);
  watcher_ = std::thread([this, on_signal = std::move(on_signal)] {
    bool stopping = false;
    for (;;) {
      int signal_number = 0;
      if (sigwait(&signals_, &signal_number) != 0 || ending_) return;
      // The first signal stops the service; it then finishes the requests
      // in flight, so a second one has nothing more to do.
      if (!stopping) on_signal(signal_number);
      stopping = true;
    }
  });
}

ShutdownSignal::~ShutdownSignal() {
  ending_ = true;
  pthread_kill(watcher_.native_handle(), SIGHUP);
  watcher_.join();
}

}  // namespace tipolaria::serve
