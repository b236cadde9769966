// Customs databases for hosts and tools: creating an embedded database from
// the schema, checking that a database has every table of it, and naming a
// database in messages without its passwords. Each function raises
// tipolaria::ComError on failure.
#ifndef TIPOLARIA_DATABASE_HPP_
#define TIPOLARIA_DATABASE_HPP_

#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "tipolaria/error.hpp"

namespace tipolaria {

class Session;  // tipolaria/session.hpp

// Creates a new embedded customs database file at `path` with every table
// of the schema, then runs the SQL script `sql` on it when given (the data
// of catalogues and declarations, as SQLite reads it). An existing file is
// never overwritten, and the file appears only when complete: a script that
// fails leaves nothing at `path`.
void CreateDatabase(const std::string& path, const std::string& sql = "");

// A value as the database gives it: Null, a number or a text.
struct FieldValue {
  bool is_null = true;
  bool is_number = false;
  double number = 0;  // when is_number
  // The value as the pages print it: a number in its shortest form with a
  // decimal comma ("12,5"); empty for Null.
  std::string text;
};

// A value that a column of numbers or dates holds but that is neither: the
// embedded database lets such a column hold any text ("mil" for an amount),
// which a generation prints as it stands, or counts as 0, with a success
// result. A server's columns hold only values of their own type.
struct MistypedValue {
  std::string table;
  std::string column;
  bool date_column = false;  // the column holds dates; otherwise numbers
  FieldValue value;
  std::int64_t row = 0;  // the row's number in its table
  // The row's key: the columns of the table's first index and their values.
  std::vector<std::pair<std::string, FieldValue>> key;
};

// What CheckDatabase found.
struct DatabaseCheck {
  // The tables of the schema that the database cannot read, in the
  // schema's order; none for a complete customs database.
  std::vector<std::string> missing_tables;
  // How many tables the schema has: when all are missing, the database is
  // empty or not a customs database at all.
  std::size_t schema_tables = 0;
  // The mistyped values of a database that has every table, table by table
  // in the schema's order and row by row.
  std::vector<MistypedValue> mistyped_values;
};

// How far CheckDatabase looks.
enum class CheckDepth {
  // The tables only: a few quick requests, for a health probe that asks
  // often whether the database is there and complete.
  kTables,
  // The tables, then every value of their columns of numbers and dates: a
  // read of the whole database, for an operator before printing.
  kValues,
};

// Opens the database that `ConectionString` names, as Session::Init opens
// it (its errors are Init's), and checks that it has every table of the
// schema, and then (kValues) that its columns of numbers and dates hold
// numbers and dates. A database opens even when it is empty; the generation
// would fail on its first missing table, far from the cause.
DatabaseCheck CheckDatabase(const std::string& ConectionString,
                            CheckDepth depth = CheckDepth::kValues);
// The same check of the database `session` is connected to; raises the
// not-initialised error before Init.
DatabaseCheck CheckDatabase(Session& session, CheckDepth depth = CheckDepth::kValues);

// The connection string with the value of every Password= and PWD= replaced
// by "****": the database as messages and logs may show it.
std::string MaskConnectionString(const std::string& ConectionString);

}  // namespace tipolaria

#endif  // TIPOLARIA_DATABASE_HPP_
