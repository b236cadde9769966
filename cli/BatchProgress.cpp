#include "BatchProgress.hpp"

#include <unistd.h>

#include <iostream>

#include "tipolaria/text.hpp"

#include "ExitCode.hpp"

namespace tipolaria::cli {
namespace {

constexpr std::size_t kBarWidth = 30;
constexpr std::size_t kNameWidth = 32;

}  // namespace

BatchProgress::BatchProgress(std::size_t total)
    : total_(total), enabled_(isatty(STDERR_FILENO) == 1) {}

void BatchProgress::Show(std::size_t done, const std::string& current) {
  if (!enabled_ || total_ == 0) return;
  const std::size_t filled = done * kBarWidth / total_;
  // "\r" returns to the start of the line and "\x1b[K" clears what a
  // longer name left on it.
  std::cerr << "\r[" << std::string(filled, '#') << std::string(kBarWidth - filled, '.') << "] "
            << done << "/" << total_ << " " << OneLine(current).substr(0, kNameWidth) << "\x1b[K"
            << std::flush;
}

void BatchProgress::Clear() {
  if (enabled_) std::cerr << "\r\x1b[K" << std::flush;
}

}  // namespace tipolaria::cli
