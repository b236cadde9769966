#include "DbCommands.hpp"

#include <iostream>
#include <memory>
#include <string>

#include "data/SqliteBackend.hpp"
#include "tipolaria/cprint.hpp"

namespace tipolaria::cli {

void AddDbCommands(CLI::App& app) {
  CLI::App* db = app.add_subcommand("db", "Create and check customs databases");
  db->require_subcommand(1);

  auto path = std::make_shared<std::string>();
  CLI::App* init = db->add_subcommand("init", "Create a new, empty database file from the schema");
  init->add_option("PATH", *path, "The database file to create (never overwritten)")->required();
  init->callback([path] {
    CreateDatabaseFile(*path);
    std::cout << "created " << *path << "\n";
  });

  auto connection = std::make_shared<std::string>();
  CLI::App* check =
      db->add_subcommand("check", "Open a database through the print class and close it");
  check->add_option("--connection,-c", *connection, "Connection string (sqlite:PATH, ...)")
      ->required();
  check->callback([connection] {
    CPrint print;
    print.Init(*connection);
    std::cout << "connected: " << *connection << "\n";
    print.Finalize();
  });
}

}  // namespace tipolaria::cli
