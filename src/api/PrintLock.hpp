// The session's hold on the database's print lock, for the length of one
// generation or one print's read of IMP, never longer: a host that keeps the
// component initialised between calls blocks nobody. A lock that is taken
// is waited for a bounded time, with a notice once the wait has lasted half
// a second (the command line says on stderr that it waits), then the
// session fails with an error naming the database.
#ifndef TIPOLARIA_API_PRINTLOCK_HPP_
#define TIPOLARIA_API_PRINTLOCK_HPP_

#include <chrono>
#include <functional>
#include <string>

#include "data/CDataBase.hpp"

namespace tipolaria::detail {

// How long a wait for the print lock goes unannounced.
inline constexpr std::chrono::milliseconds kQuietWait{500};

class PrintLock {
 public:
  using Notice = std::function<void(const std::string& message)>;

  // Takes `db`'s print lock: at once when it is free, otherwise waiting at
  // most `wait`, telling `notice` (when set) once kQuietWait of it has
  // passed. Raises the time-out error naming the database when the lock is
  // still taken then.
  PrintLock(CDataBase& db, std::chrono::milliseconds wait, const Notice& notice);
  ~PrintLock();
  PrintLock(const PrintLock&) = delete;
  PrintLock& operator=(const PrintLock&) = delete;

 private:
  CDataBase& db_;
};

}  // namespace tipolaria::detail

#endif  // TIPOLARIA_API_PRINTLOCK_HPP_
