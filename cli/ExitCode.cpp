#include "ExitCode.hpp"

#include <signal.h>
#include <CLI/CLI.hpp>

#include <iostream>

#include "reports/PendingFiles.hpp"
#include "runtime/Utf8.hpp"

namespace tipolaria::cli {
namespace {

// Text for one line of the terminal: bytes that are not UTF-8 are read as
// Latin-1, so that what the tool writes is always valid UTF-8, and line
// breaks (a driver's message of several lines) become blanks.
std::string Printable(const std::string& text) {
  std::string line = EncodeUtf8(DecodeUtf8(text));
  for (char& c : line) {
    if (c == '\n' || c == '\r') c = ' ';
  }
  return line;
}

extern "C" void OnInterrupt(int signal_number) {
  PendingFiles::RemoveAll();
  // The handler was reset on entry: the signal, delivered again when the
  // handler returns, ends the process as it would have.
  ::raise(signal_number);
}

}  // namespace

void ReportError(const ComError& error) {
  std::cerr << "tipolaria: error " << error.number() << ": " << Printable(error.description())
            << " (source: " << Printable(error.source()) << ")" << std::endl;
}

void Fail(ExitCode code, const ComError& error) {
  ReportError(error);
  throw CLI::RuntimeError(code);
}

void Fail(ExitCode code, const std::string& message) {
  std::cerr << "tipolaria: " << Printable(message) << std::endl;
  throw CLI::RuntimeError(code);
}

std::string UsageLine(const std::string& what) {
  std::string line = Printable(what);
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
