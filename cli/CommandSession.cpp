#include "CommandSession.hpp"

#include <limits>

#include "ExitCode.hpp"
#include "WholeNumber.hpp"

namespace tipolaria::cli {

void AddSessionOptions(CLI::App& command, SessionOptions& options) {
  AddConnectionOptions(command, options.database);
  command
      .add_option("--lock-timeout", options.lock_timeout,
                  "Seconds to wait while another session generates or prints on the database "
                  "(default: 60)")
      ->transform(WholeNumber(0, std::numeric_limits<std::int32_t>::max()));
  command.add_option("--sql-log", options.sql_log,
                     "Write every request sent to the database to FILE, one a line, in T-SQL as "
                     "SQL Server receives it (arrays with their size; never a password)");
}

CommandSession::CommandSession(const SessionOptions& options)
    : connection_(ResolveConnection(options.database)) {
  // A wait for another session is said on stderr, so that nobody stares at
  // a silent tool.
  print_.SetLockWaitNotice([](const std::string& message) { Report(message); });
  try {
    print_.SetLockTimeout(options.lock_timeout);  // kept across Init
    if (options.sql_log) {
      // Given empty, it names no file: refused as an unwritable one is.
      if (options.sql_log->empty()) Fail(kExitUsage, "--sql-log: the statement log names no file");
      print_.SetSqlLog(*options.sql_log);
    }
  } catch (const ComError& e) {
    Fail(kExitUsage, e);
  }
  try {
    print_.Init(connection_);
  } catch (const ComError& e) {
    Fail(kExitDatabase, e);
  }
}

}  // namespace tipolaria::cli
