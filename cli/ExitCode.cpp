#include "ExitCode.hpp"

#include <signal.h>
#include <CLI/CLI.hpp>

#include <iostream>

#include "reports/PendingFiles.hpp"
#include "runtime/Utf8.hpp"

namespace tipolaria::cli {
namespace {

// Text for the terminal: bytes that are not UTF-8 are read as Latin-1, so
// that what the tool writes is always valid UTF-8.
std::string Printable(const std::string& text) { return EncodeUtf8(DecodeUtf8(text)); }

extern "C" void OnInterrupt(int signal_number) {
  PendingFiles::RemoveAll();
  // The handler was reset on entry: the signal, delivered again when the
  // handler returns, ends the process as it would have.
  ::raise(signal_number);
}

}  // namespace

void ReportError(const ComError& error) {
  std::cerr << "tipolaria: error " << error.number() << ": " << Printable(error.description())
            << "\n  source: " << Printable(error.source()) << "\n";
}

void Fail(ExitCode code, const ComError& error) {
  ReportError(error);
  throw CLI::RuntimeError(code);
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
