#include "Session.hpp"

#include <iostream>

#include "ExitCode.hpp"
#include "api/ComponentState.hpp"

namespace tipolaria::cli {

void AddSessionOptions(CLI::App& command, SessionOptions& options) {
  command.add_option("--connection,-c", options.connection, "Connection string (sqlite:PATH, ...)")
      ->required();
  command
      .add_option("--lock-timeout", options.lock_timeout,
                  "Seconds to wait while another session generates or prints on the database "
                  "(default: 60)")
      ->check(CLI::NonNegativeNumber);
}

Session::Session(const SessionOptions& options) {
  // A wait for another session is said on stderr, so that nobody stares at
  // a silent tool.
  detail::State().lock_wait_notice = [](const std::string& message) {
    std::cerr << "tipolaria: " << message << std::endl;
  };
  try {
    print_.SetLockTimeout(options.lock_timeout);  // kept across Init
  } catch (const ComError& e) {
    Fail(kExitUsage, e);
  }
  try {
    print_.Init(options.connection);
  } catch (const ComError& e) {
    Fail(kExitDatabase, e);
  }
}

Session::~Session() {
  try {
    print_.Finalize();
  } catch (...) {
  }
}

}  // namespace tipolaria::cli
