#include "data/SqliteWriteLock.hpp"

#include <sqlite3.h>

#include <algorithm>
#include <climits>

namespace tipolaria {

bool SqliteWriteLockFree(sqlite3* db, std::chrono::steady_clock::time_point deadline) {
  const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
      deadline - std::chrono::steady_clock::now());
  sqlite3_busy_timeout(
      db, static_cast<int>(std::clamp<std::chrono::milliseconds::rep>(left.count(), 0, INT_MAX)));
  const int rc = sqlite3_exec(db, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr);
  if (rc == SQLITE_OK) {
    sqlite3_exec(db, "ROLLBACK", nullptr, nullptr, nullptr);
    return true;
  }
  // Only a lock held by another connection is a reason to wait.
  return (rc & 0xFF) != SQLITE_BUSY;
}

bool SqliteWriteLockFree(const std::string& path, std::chrono::steady_clock::time_point deadline) {
  sqlite3* db = nullptr;
  // The driver runs on this same SQLite library, which keeps the file open
  // after this connection closes while the driver's connection holds locks
  // on it: closing here never drops the driver's locks.
  if (sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX, nullptr) !=
      SQLITE_OK) {
    sqlite3_close(db);
    return true;
  }
  const bool free = SqliteWriteLockFree(db, deadline);
  sqlite3_close(db);
  return free;
}

}  // namespace tipolaria
