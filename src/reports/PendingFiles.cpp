#include "reports/PendingFiles.hpp"

#include <limits.h>
#include <unistd.h>

#include <array>
#include <atomic>
#include <cstring>

namespace tipolaria::PendingFiles {
namespace {

// A slot is free, being filled or cleaned (busy), or holds a path (ready).
// The paths live in the slots themselves, so that the cleanup in a signal
// handler neither allocates nor frees. A print has its PDF and its pictures
// under way at most.
enum State : int { kFree, kBusy, kReady };
struct Slot {
  std::atomic<int> state{kFree};
  char path[PATH_MAX];
};
std::array<Slot, 64> slots;

}  // namespace

int Add(const std::string& path) {
  if (path.size() >= PATH_MAX) return -1;
  for (std::size_t i = 0; i < slots.size(); ++i) {
    int expected = kFree;
    if (!slots[i].state.compare_exchange_strong(expected, kBusy)) continue;
    std::memcpy(slots[i].path, path.c_str(), path.size() + 1);
    slots[i].state.store(kReady);
    return static_cast<int>(i);
  }
  return -1;
}

void Remove(int& slot) {
  if (slot < 0) return;
  std::atomic<int>& state = slots[static_cast<std::size_t>(slot)].state;
  // Waits out a cleanup under way on this slot; an emptied slot stays so.
  for (int expected = kReady; !state.compare_exchange_weak(expected, kFree);) {
    if (expected == kFree) break;
    expected = kReady;
  }
  slot = -1;
}

void RemoveAll() noexcept {
  for (Slot& slot : slots) {
    int expected = kReady;
    if (!slot.state.compare_exchange_strong(expected, kBusy)) continue;
    ::unlink(slot.path);
    slot.state.store(kFree);
  }
}

}  // namespace tipolaria::PendingFiles
