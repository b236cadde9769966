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

#include "tipolaria/cprint.hpp"

namespace tipolaria::cli {

struct SessionOptions {
  std::string connection;
  std::int32_t lock_timeout = 60;
  std::optional<std::string> sql_log;  // the statement log's file
};

// --connection (required), --lock-timeout and --sql-log.
void AddSessionOptions(CLI::App& command, SessionOptions& options);

class Session {
 public:
  // Opens the database; a database that cannot be opened ends the command
  // with the database exit status, a refused setting (a statement log that
  // cannot be written) with the usage status.
  explicit Session(const SessionOptions& options);
  ~Session();
  Session(const Session&) = delete;
  Session& operator=(const Session&) = delete;

  CPrint& print() { return print_; }

 private:
  CPrint print_;
};

}  // namespace tipolaria::cli

#endif  // TIPOLARIA_CLI_SESSION_HPP_
