#include "serve/PrintStore.hpp"

#include <sys/random.h>
#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <system_error>

namespace tipolaria::serve {
namespace {

// An id nobody can guess: a print holds a client's declaration, and knowing
// its id is all it takes to fetch it.
std::string NewId() {
  unsigned char bytes[16];
  for (std::size_t got = 0; got < sizeof bytes;) {
    const ssize_t n = ::getrandom(bytes + got, sizeof bytes - got, 0);
    if (n < 0 && errno != EINTR)
      throw std::system_error(errno, std::generic_category(), "getrandom");
    if (n > 0) got += static_cast<std::size_t>(n);
  }
  std::string id;
  for (const unsigned char b : bytes) {
    char hex[3];
    std::snprintf(hex, sizeof hex, "%02x", b);
    id += hex;
  }
  return id;
}

std::filesystem::path MakePrivateFolder(const std::filesystem::path& parent) {
  std::string pattern = (parent / "tipolaria-serve.XXXXXX").string();
  if (::mkdtemp(pattern.data()) == nullptr) {
    throw std::system_error(errno, std::generic_category(),
                            "cannot make the service's folder in \"" + parent.string() + "\"");
  }
  return pattern;
}

}  // namespace

OwnedFolder::~OwnedFolder() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

PrintStore::PrintStore(const std::filesystem::path& parent, std::chrono::milliseconds keep,
                       std::size_t max_prints, std::function<Clock::time_point()> now)
    : root_(std::make_unique<OwnedFolder>(MakePrivateFolder(parent))),
      keep_(keep),
      max_prints_(max_prints),
      now_(std::move(now)) {}

PrintStore::~PrintStore() { prints_.clear(); }

Workspace PrintStore::NewWorkspace() {
  const std::string id = NewId();
  const std::filesystem::path path = root_->path() / id;
  if (::mkdir(path.c_str(), 0700) != 0) {
    throw std::system_error(errno, std::generic_category(),
                            "cannot make a print's folder in \"" + root_->path().string() + "\"");
  }
  return Workspace(id, std::make_shared<OwnedFolder>(path));
}

std::shared_ptr<const StoredPrint> PrintStore::Keep(Workspace workspace, PrintRecord record) {
  auto print = std::make_shared<StoredPrint>();
  print->id = workspace.id_;
  print->record = std::move(record);
  print->folder = std::move(workspace.folder_);
  Dropped dropped;  // removed from disk after the lock is let go
  std::lock_guard lock(mutex_);
  const Clock::time_point now = now_();
  print->expires = now + keep_;
  RemoveExpiredLocked(now, dropped);
  while (!by_expiry_.empty() && prints_.size() >= max_prints_) {
    Drop(by_expiry_.begin(), dropped);
  }
  by_expiry_.emplace(print->expires, print->id);
  prints_[print->id] = print;
  return print;
}

std::shared_ptr<const StoredPrint> PrintStore::Find(const std::string& id) {
  Dropped dropped;
  std::lock_guard lock(mutex_);
  RemoveExpiredLocked(now_(), dropped);
  const auto found = prints_.find(id);
  return found == prints_.end() ? nullptr : found->second;
}

bool PrintStore::Remove(const std::string& id) {
  Dropped dropped;
  std::lock_guard lock(mutex_);
  const auto found = prints_.find(id);
  if (found == prints_.end()) return false;
  auto [first, last] = by_expiry_.equal_range(found->second->expires);
  for (; first != last; ++first) {
    if (first->second == id) return Drop(first, dropped), true;
  }
  return false;
}

std::size_t PrintStore::RemoveExpired() {
  Dropped dropped;
  std::lock_guard lock(mutex_);
  return RemoveExpiredLocked(now_(), dropped);
}

std::size_t PrintStore::size() {
  std::lock_guard lock(mutex_);
  return prints_.size();
}

std::size_t PrintStore::RemoveExpiredLocked(Clock::time_point now, Dropped& dropped) {
  std::size_t removed = 0;
  while (!by_expiry_.empty() && by_expiry_.begin()->first <= now) {
    Drop(by_expiry_.begin(), dropped);
    ++removed;
  }
  return removed;
}

void PrintStore::Drop(ByExpiry::iterator entry, Dropped& dropped) {
  const auto print = prints_.find(entry->second);
  dropped.push_back(std::move(print->second));
  prints_.erase(print);
  by_expiry_.erase(entry);
}

}  // namespace tipolaria::serve
