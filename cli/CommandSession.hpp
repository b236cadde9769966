// One print session of the tool (a tipolaria::Session) opened on the
// database the connection options name, with the lock time-out, the
// statement log and a notice on stderr while it waits for another session;
// its connection closes however the command ends. Every command that reads
// or writes a customs database opens one, a batch one per job.
#ifndef TIPOLARIA_CLI_COMMANDSESSION_HPP_
#define TIPOLARIA_CLI_COMMANDSESSION_HPP_

#include <CLI/CLI.hpp>

#include <cstdint>
#include <optional>
#include <string>

#include "ConnectionOptions.hpp"
#include "tipolaria/session.hpp"

namespace tipolaria::cli {

struct SessionOptions {
  ConnectionOptions database;
  std::int32_t lock_timeout = 60;
  std::optional<std::string> sql_log;  // the statement log's file
};

// The connection options (ConnectionOptions.hpp), --lock-timeout and --sql-log.
void AddSessionOptions(CLI::App& command, SessionOptions& options);

class CommandSession {
 public:
  // Opens the database; no connection string, or a refused one or setting
  // (a statement log that cannot be written), ends the command with the
  // usage status, a database that cannot be opened with the database status.
  explicit CommandSession(const SessionOptions& options);
  CommandSession(const CommandSession&) = delete;
  CommandSession& operator=(const CommandSession&) = delete;

  Session& print() { return print_; }
  // The connection string, wherever it came from (passwords unmasked).
  const std::string& connection() const { return connection_; }

 private:
  std::string connection_;
  Session print_;
};

}  // namespace tipolaria::cli

#endif  // TIPOLARIA_CLI_COMMANDSESSION_HPP_
