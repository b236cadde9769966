#include "api/PrintLock.hpp"

#include <algorithm>

#include "data/DatabaseErrors.hpp"
#include "tipolaria/error.hpp"

namespace tipolaria::detail {
namespace {

std::string Seconds(std::chrono::milliseconds wait) {
  const auto whole = std::chrono::duration_cast<std::chrono::seconds>(wait).count();
  return std::to_string(whole) + (whole == 1 ? " second" : " seconds");
}

std::string Holders(const CDataBase& db) {
  return "the database \"" + db.Name() +
         "\": another session is generating or printing on it, or another program is "
         "writing to it";
}

}  // namespace

PrintLock::PrintLock(CDataBase& db, std::chrono::milliseconds wait, const Notice& notice)
    : db_(db) {
  if (db_.AcquirePrintLock(std::chrono::milliseconds(0))) return;
  // Sessions on a busy database take turns (a generation lasts a fraction
  // of a second): only a wait that lasts is worth a notice.
  const std::chrono::milliseconds quiet = std::min(wait, kQuietWait);
  if (quiet > std::chrono::milliseconds(0) && db_.AcquirePrintLock(quiet)) return;
  if (wait > quiet) {
    if (notice) notice("Waiting up to " + Seconds(wait) + " for " + Holders(db_));
    if (db_.AcquirePrintLock(wait - quiet)) return;
  }
  throw ComError(kErrTimeout, "PrintLock",
                 "Gave up after " + Seconds(wait) + " waiting for " + Holders(db_));
}

PrintLock::~PrintLock() {
  try {
    db_.ReleasePrintLock();
  } catch (...) {
    // Releasing cannot fail in a way worth reporting: the lock goes with
    // the connection at the latest.
  }
}

}  // namespace tipolaria::detail
