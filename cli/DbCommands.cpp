#include "DbCommands.hpp"

#include <iostream>
#include <memory>
#include <string>

#include "CommandSession.hpp"
#include "ExitCode.hpp"
#include "ImpDump.hpp"
#include "tipolaria/database.hpp"

namespace tipolaria::cli {
namespace {

// The database's findings are reported with the number of the database's
// own errors (0x80004005, "unspecified error" of the providers).
constexpr long kErrDatabaseCheck = -2147467259;

std::string JoinNames(const std::vector<std::string>& names) {
  std::string text;
  for (const std::string& name : names) text += (text.empty() ? "" : ", ") + name;
  return text;
}

// One line for an operator: where the value is and what is wrong with it,
// the data escaped as `imp dump` escapes it.
std::string Line(const MistypedValue& m) {
  std::string key;
  for (const auto& [column, value] : m.key) {
    key += (key.empty() ? " (" : ", ") + column + " " + DumpText(value);
  }
  return m.table + "." + m.column + " holds \"" + DumpText(m.value) + "\", not a " +
         (m.date_column ? "date" : "number") + ": row " + std::to_string(m.row) + key +
         (key.empty() ? "" : ")");
}

}  // namespace

void AddDbCommands(CLI::App& app) {
  CLI::App* db = app.add_subcommand("db", "Create and check customs databases");
  db->require_subcommand(1);
  db->footer(kExitCodesHelp);

  auto path = std::make_shared<std::string>();
  CLI::App* init = db->add_subcommand("init", "Create a new, empty database file from the schema");
  init->add_option("PATH", *path, "The database file to create (never overwritten)")->required();
  init->callback([path] {
    try {
      CreateDatabase(*path);
    } catch (const ComError& e) {
      Fail(kExitDatabase, e);
    }
    std::cout << "created " << *path << "\n";
  });

  auto session_options = std::make_shared<SessionOptions>();
  CLI::App* check = db->add_subcommand(
      "check",
      "Open a database through the print class and check that it has every table, and that its "
      "columns of numbers and dates hold numbers and dates");
  AddConnectionOptions(*check, session_options->database);
  check->callback([session_options] {
    CommandSession session(*session_options);
    DatabaseCheck found;
    try {
      found = CheckDatabase(session.print());
    } catch (const ComError& e) {
      Fail(kExitDatabase, e);
    }
    const std::string name = MaskConnectionString(session.connection());
    const std::vector<std::string>& missing = found.missing_tables;
    const std::vector<MistypedValue>& mistyped = found.mistyped_values;
    if (!missing.empty()) {
      const bool none = missing.size() == found.schema_tables;
      Fail(kExitDatabase,
           ComError(kErrDatabaseCheck, "db check",
                    "The database \"" + name + "\" " +
                        (none ? "has none of the tables of a customs database: it is empty or "
                                "not a customs database (create one with \"tipolaria db init\")"
                              : "lacks the tables " + JoinNames(missing))));
    }
    for (const MistypedValue& m : mistyped) std::cout << Line(m) << "\n";
    if (!mistyped.empty()) {
      const bool one = mistyped.size() == 1;
      Fail(kExitDatabase,
           ComError(kErrDatabaseCheck, "db check",
                    "The database \"" + name + "\" holds " + std::to_string(mistyped.size()) +
                        (one ? " value that is" : " values that are") +
                        " not a number or a date where one is expected, listed on stdout: a "
                        "print would show such a value as it stands or count it as 0"));
    }
    std::cout << "connected: " << name << "\n";
  });
}

}  // namespace tipolaria::cli
