// The write lock of an SQLite database's engine, which programs other than
// ours take without the print lock (the sqlite3 shell holding BEGIN
// IMMEDIATE, a broker's own tool). A session that got the print lock waits
// for it too, within the same bound, so that it does not then stall inside
// a statement for as long as the engine lets statements wait.
#ifndef TIPOLARIA_DATA_SQLITEWRITELOCK_HPP_
#define TIPOLARIA_DATA_SQLITEWRITELOCK_HPP_

#include <chrono>
#include <string>

struct sqlite3;

namespace tipolaria {

// Whether `db` could take the engine's write lock before `deadline` (it is
// released again at once). A database that cannot be written at all (a
// read-only file) counts as free: prints can still read it, and writes fail
// with their own error. Leaves `db`'s busy time-out changed.
bool SqliteWriteLockFree(sqlite3* db, std::chrono::steady_clock::time_point deadline);

// The same for the database file at `path`, through a connection of its
// own, for a database that another library reaches (the SQLite ODBC
// driver). A file that cannot be opened counts as free.
bool SqliteWriteLockFree(const std::string& path, std::chrono::steady_clock::time_point deadline);

}  // namespace tipolaria

#endif  // TIPOLARIA_DATA_SQLITEWRITELOCK_HPP_
