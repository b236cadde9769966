// The requests of our own that the customs database's server receives
// beside the loaders' SQL: transaction commands, the print lock, a stored
// procedure call. They are written once, here, so that what goes to SQL
// Server and what the statement log shows are the same text.
#ifndef TIPOLARIA_DATA_SERVERCOMMANDS_HPP_
#define TIPOLARIA_DATA_SERVERCOMMANDS_HPP_

#include <chrono>
#include <string>
#include <vector>

#include "data/Backend.hpp"

namespace tipolaria {

// The statement time-out of the original connection, in seconds.
inline constexpr int kCommandTimeoutSeconds = 900;

// A transaction of the connection. The ODBC driver begins and ends it
// (autocommit off, SQLEndTran); the log names it in T-SQL.
inline constexpr const char* kBeginTransaction = "BEGIN TRANSACTION";
inline constexpr const char* kCommitTransaction = "COMMIT TRANSACTION";
inline constexpr const char* kRollbackTransaction = "ROLLBACK TRANSACTION";
// A transaction begun inside a batch (a page save within the generation's
// one transaction): a savepoint. SQL Server needs no command to keep one.
inline constexpr const char* kSaveTransaction = "SAVE TRANSACTION tipolaria_save";
inline constexpr const char* kRollbackToSave = "ROLLBACK TRANSACTION tipolaria_save";

// The bound of the print lock's wait on SQL Server: the command time-out
// must not end the request first.
std::chrono::milliseconds AppLockWait(std::chrono::milliseconds wait);
// The batch that takes the print lock, the server's application lock
// "tipolaria.IMP" owned by the session, answering sp_getapplock's result as
// the column r.
std::string AppLockRequest(std::chrono::milliseconds wait);
// The batch that releases it when the session holds it.
std::string AppLockRelease();

// A stored-procedure call as the EXEC it stands for, its inputs named and
// written as literals: EXEC sp_NatLNat @CTPT_1 = 'TIPTAX', @CPTRNAT_2 = '1'.
std::string ExecText(const std::string& name, const std::vector<ProcedureParam>& params);

}  // namespace tipolaria

#endif  // TIPOLARIA_DATA_SERVERCOMMANDS_HPP_
