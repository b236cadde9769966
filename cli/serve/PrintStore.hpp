// The prints the service keeps for its clients to fetch: each in a folder of
// its own inside one private folder (mode 0700) that the store makes when it
// starts and removes, with everything in it, when it ends. A print is kept
// for a limited time, then its folder is removed and its id is unknown; the
// store also keeps at most a given number of prints, dropping the oldest, so
// that a flood of requests cannot fill the disk.
//
// A print under way writes into a Workspace; kept, it becomes a StoredPrint,
// shared by the requests that read it: its folder goes when the last of them
// lets go of it, so a file is never removed while a response reads it.
#ifndef TIPOLARIA_CLI_SERVE_PRINTSTORE_HPP_
#define TIPOLARIA_CLI_SERVE_PRINTSTORE_HPP_

#include <chrono>
#include <cstddef>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <utility>
#include <vector>

namespace tipolaria::serve {

using Clock = std::chrono::system_clock;

// A folder removed, with what it holds, when the object goes.
class OwnedFolder {
 public:
  explicit OwnedFolder(std::filesystem::path path) : path_(std::move(path)) {}
  ~OwnedFolder();
  OwnedFolder(const OwnedFolder&) = delete;
  OwnedFolder& operator=(const OwnedFolder&) = delete;
  const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path path_;
};

// What a finished print produced: each operation's JSON result as the
// component returned it, the page counts, and its files.
struct PrintRecord {
  std::string iddtext;
  std::vector<std::pair<std::string, std::string>> results;  // operation, JSON result
  int caratula_hojas = 0;                         // the declaration's last page of the cover report
  int total_hojas = 0;                            // the declaration's last page
  int cover_pages = 0;                            // pages in the cover document
  int continuation_pages = 0;                     // pages in the continuation document
  std::filesystem::path cover;                    // empty: not printed
  std::filesystem::path continuation;             // empty: not printed
  std::map<int, std::filesystem::path> pictures;  // by page number
};

struct StoredPrint {
  std::string id;
  Clock::time_point expires;
  PrintRecord record;
  std::shared_ptr<OwnedFolder> folder;
};

class Workspace {
 public:
  const std::string& id() const { return id_; }
  const std::filesystem::path& path() const { return folder_->path(); }

 private:
  friend class PrintStore;
  Workspace(std::string id, std::shared_ptr<OwnedFolder> folder)
      : id_(std::move(id)), folder_(std::move(folder)) {}
  std::string id_;
  std::shared_ptr<OwnedFolder> folder_;
};

class PrintStore {
 public:
  // Makes the private folder in `parent`; raises std::system_error when it
  // cannot. `now` is the clock (tests move it by hand).
  PrintStore(const std::filesystem::path& parent, std::chrono::milliseconds keep,
             std::size_t max_prints, std::function<Clock::time_point()> now = Clock::now);
  ~PrintStore();
  PrintStore(const PrintStore&) = delete;
  PrintStore& operator=(const PrintStore&) = delete;

  const std::filesystem::path& folder() const { return root_->path(); }
  std::chrono::milliseconds keep() const { return keep_; }

  // A new empty folder for a print under way, with the id the print will
  // have; removed when the workspace goes without being kept.
  Workspace NewWorkspace();
  // Keeps the print written in `workspace` until it expires.
  std::shared_ptr<const StoredPrint> Keep(Workspace workspace, PrintRecord record);
  // The print `id`, or none when it is unknown or expired.
  std::shared_ptr<const StoredPrint> Find(const std::string& id);
  // Forgets the print `id` before it expires; false when it is unknown.
  bool Remove(const std::string& id);
  // Forgets the expired prints; the number forgotten.
  std::size_t RemoveExpired();
  std::size_t size();

 private:
  using Dropped = std::vector<std::shared_ptr<const StoredPrint>>;
  using ByExpiry = std::multimap<Clock::time_point, std::string>;
  std::size_t RemoveExpiredLocked(Clock::time_point now, Dropped& dropped);
  void Drop(ByExpiry::iterator entry, Dropped& dropped);

  std::unique_ptr<OwnedFolder> root_;
  std::chrono::milliseconds keep_;
  std::size_t max_prints_;
  std::function<Clock::time_point()> now_;
  std::mutex mutex_;
  std::map<std::string, std::shared_ptr<const StoredPrint>> prints_;
  // Ids in the order they were kept: the oldest is dropped first.
  ByExpiry by_expiry_;
};

}  // namespace tipolaria::serve

#endif  // TIPOLARIA_CLI_SERVE_PRINTSTORE_HPP_
