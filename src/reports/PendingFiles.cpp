#include "reports/PendingFiles.hpp"

#include <unistd.h>

#include <array>
#include <atomic>
#include <cstdlib>
#include <cstring>

namespace tipolaria::PendingFiles {
namespace {

// A slot holds a malloc'ed path; whoever exchanges it out owns it. A print
// has its PDF and its pictures under way at most.
std::array<std::atomic<char*>, 64> slots{};

}  // namespace

int Add(const std::string& path) {
  char* copy = strdup(path.c_str());
  if (copy == nullptr) return -1;
  for (std::size_t slot = 0; slot < slots.size(); ++slot) {
    char* expected = nullptr;
    if (slots[slot].compare_exchange_strong(expected, copy)) return static_cast<int>(slot);
  }
  std::free(copy);
  return -1;
}

void Remove(int& slot) {
  if (slot < 0) return;
  std::free(slots[static_cast<std::size_t>(slot)].exchange(nullptr));
  slot = -1;
}

void RemoveAll() noexcept {
  // No free here: not safe in a signal handler, and the process is ending.
  for (auto& slot : slots) {
    if (char* path = slot.exchange(nullptr)) ::unlink(path);
  }
}

}  // namespace tipolaria::PendingFiles
