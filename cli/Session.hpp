// One print session of the tool through the public class: the component
// initialised on a connection, with the lock time-out and a notice on stderr
// while it waits for another session, finalized however the command ends.
// Every command that reads or writes a customs database opens one.
#ifndef TIPOLARIA_CLI_SESSION_HPP_
#define TIPOLARIA_CLI_SESSION_HPP_

#include <CLI/CLI.hpp>

#include <cstdint>
#include <optional>
#include <string>

#include "ConnectionOptions.hpp"
#include "tipolaria/cprint.hpp"

namespace tipolaria::cli {

struct SessionOptions {
  ConnectionOptions database;
  std::int32_t lock_timeout = 60;
  std::optional<std::string> sql_log;  // the statement log's file
};

// The connection options (ConnectionOptions.hpp), --lock-timeout and --sql-log.
void AddSessionOptions(CLI::App& command, SessionOptions& options);

class Session {
 public:
  // Opens the database; no connection string, or a refused one or setting
  // (a statement log that cannot be written), ends the command with the
  // usage status, a database that cannot be opened with the database status.
  explicit Session(const SessionOptions& options);
  ~Session();
  Session(const Session&) = delete;
  Session& operator=(const Session&) = delete;

  CPrint& print() { return print_; }
  // The connection string, wherever it came from (passwords unmasked).
  const std::string& connection() const { return connection_; }

 private:
  std::string connection_;
  CPrint print_;
};

}  // namespace tipolaria::cli

#endif  // TIPOLARIA_CLI_SESSION_HPP_
