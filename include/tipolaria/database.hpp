// Customs databases for hosts and tools: creating an embedded database from
// the schema, checking that a database has every table of it, and naming a
// database in messages without its passwords. Each function raises
// tipolaria::ComError on failure.
#ifndef TIPOLARIA_DATABASE_HPP_
#define TIPOLARIA_DATABASE_HPP_

#include <cstddef>
#include <string>
#include <vector>

#include "tipolaria/error.hpp"

namespace tipolaria {

// Creates a new embedded customs database file at `path` with every table
// of the schema, then runs the SQL script `sql` on it when given (the data
// of catalogues and declarations, as SQLite reads it). An existing file is
// never overwritten, and the file appears only when complete: a script that
// fails leaves nothing at `path`.
void CreateDatabase(const std::string& path, const std::string& sql = "");

// What CheckDatabase found.
struct DatabaseCheck {
  // The tables of the schema that the database cannot read, in the
  // schema's order; none for a complete customs database.
  std::vector<std::string> missing_tables;
  // How many tables the schema has: when all are missing, the database is
  // empty or not a customs database at all.
  std::size_t schema_tables = 0;
};

// Opens the database that `ConectionString` names, as Session::Init opens
// it (its errors are Init's), and checks that it has every table of the
// schema. A database opens even when it is empty; the generation would fail
// on its first missing table, far from the cause.
DatabaseCheck CheckDatabase(const std::string& ConectionString);

// The connection string with the value of every Password= and PWD= replaced
// by "****": the database as messages and logs may show it.
std::string MaskConnectionString(const std::string& ConectionString);

}  // namespace tipolaria

#endif  // TIPOLARIA_DATABASE_HPP_
