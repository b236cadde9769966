// Where a command finds its customs database's connection string: on the
// command line (--connection, -c), in a file (--connection-file), or in the
// environment (TIPOLARIA_CONNECTION). The two last keep a password out of
// the process list, which every user of the machine can read. Every command
// that opens a customs database takes these options through
// AddConnectionOptions, and a long-running command (a service) reads them
// the same way.
#ifndef TIPOLARIA_CLI_CONNECTIONOPTIONS_HPP_
#define TIPOLARIA_CLI_CONNECTIONOPTIONS_HPP_

#include <CLI/CLI.hpp>

#include <optional>
#include <string>

namespace tipolaria::cli {

inline constexpr const char* kConnectionVariable = "TIPOLARIA_CONNECTION";

struct ConnectionOptions {
  std::optional<std::string> connection;  // --connection: the string itself
  std::optional<std::string> file;        // --connection-file: a file that holds it
};

// --connection,-c and --connection-file, which exclude each other. Neither
// is required: without them the environment gives the string.
void AddConnectionOptions(CLI::App& command, ConnectionOptions& options);

// The connection string: --connection, or the file's, or the environment's
// (an empty variable counts as unset). None of them, a file that cannot be
// read, that group or others may read or write, that is empty or holds more
// than one line: the command ends with the usage status, and the message
// never shows what the file holds.
std::string ResolveConnection(const ConnectionOptions& options);

}  // namespace tipolaria::cli

#endif  // TIPOLARIA_CLI_CONNECTIONOPTIONS_HPP_
