// `tipolaria db ...`: creating and checking databases.
#ifndef TIPOLARIA_CLI_DBCOMMANDS_HPP_
#define TIPOLARIA_CLI_DBCOMMANDS_HPP_

#include <CLI/CLI.hpp>

namespace tipolaria::cli {

void AddDbCommands(CLI::App& app);

}  // namespace tipolaria::cli

#endif  // TIPOLARIA_CLI_DBCOMMANDS_HPP_
