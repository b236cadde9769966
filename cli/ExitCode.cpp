#include "ExitCode.hpp"

#include <signal.h>
#include <CLI/CLI.hpp>

#include <cstdio>
#include <iostream>

#include "reports/PendingFiles.hpp"
#include "runtime/Utf8.hpp"

namespace tipolaria::cli {
namespace {

extern "C" void OnInterrupt(int signal_number) {
  PendingFiles::RemoveAll();
  // The handler was reset on entry: the signal, delivered again when the
  // handler returns, ends the process as it would have.
  ::raise(signal_number);
}

}  // namespace

std::string Printable(const std::string& text) {
  std::string line;
  line.reserve(text.size());
  for (std::size_t pos = 0; pos < text.size();) {
    const char32_t c = NextCodePoint(text, pos);
    if (c == '\n' || c == '\r' || c == '\t') {
      line += ' ';
    } else if (c < 0x20 || (c >= 0x7f && c <= 0x9f)) {
      // A control character would act on the terminal (ESC starts a
      // sequence, and so does CSI, U+009B): its UTF-8 bytes as \xHH.
      std::string bytes;
      AppendUtf8(bytes, c);
      for (const char byte : bytes) {
        char escaped[8];
        std::snprintf(escaped, sizeof escaped, "\\x%02x", static_cast<unsigned char>(byte));
        line += escaped;
      }
    } else {
      AppendUtf8(line, c);
    }
  }
  return line;
}

void Report(const std::string& message) {
  std::cerr << "tipolaria: " << Printable(message) << std::endl;
}

void ReportError(const ComError& error) {
  std::cerr << "tipolaria: error " << error.number() << ": " << Printable(error.description())
            << " (source: " << Printable(error.source()) << ")" << std::endl;
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
