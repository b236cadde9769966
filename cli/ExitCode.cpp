#include "ExitCode.hpp"

#include <signal.h>
#include <CLI/CLI.hpp>

#include <iostream>

#include "tipolaria/session.hpp"
#include "tipolaria/text.hpp"

namespace tipolaria::cli {
namespace {

extern "C" void OnInterrupt(int signal_number) {
  RemoveUnfinishedPrintFiles();
  // The handler was reset on entry: the signal, delivered again when the
  // handler returns, ends the process as it would have.
  ::raise(signal_number);
}

}  // namespace

// Each line goes out in one write: the sessions of a batch's jobs report
// from several threads.
void Report(const std::string& message) {
  std::cerr << "tipolaria: " + OneLine(message) + "\n" << std::flush;
}

void ReportError(const ComError& error) {
  std::cerr << "tipolaria: error " + std::to_string(error.number()) + ": " +
                   OneLine(error.description()) + " (source: " + OneLine(error.source()) + ")\n"
            << std::flush;
}

void Fail(ExitCode code, const ComError& error) {
  ReportError(error);
  throw CLI::RuntimeError(code);
}

void Fail(ExitCode code, const std::string& message) {
  Report(message);
  throw CLI::RuntimeError(code);
}

std::string UsageLine(const std::string& what) {
  std::string line = OneLine(what);
  while (!line.empty() && line.back() == ' ') line.pop_back();
  return "tipolaria: " + line + " (see tipolaria --help)";
}

void RemoveTemporaryFilesWhenInterrupted() {
  struct sigaction action {};
  action.sa_handler = OnInterrupt;
  action.sa_flags = SA_RESETHAND;
  sigemptyset(&action.sa_mask);
  for (const int signal_number : {SIGINT, SIGTERM, SIGHUP})
    sigaction(signal_number, &action, nullptr);
}

}  // namespace tipolaria::cli
