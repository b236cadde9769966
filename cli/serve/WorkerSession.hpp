// One worker's session with the customs database, as the print service
// uses it: the only place where the service calls the library. Each worker
// of the service owns one; a session is used by one request at a time.
//
// Until the library offers sessions as objects, this stands on the one
// component state of the process (CPrint) and its page-picture folder,
// lock-wait notice and page counts: the sessions of the pool then share
// that state and take turns (RunsInParallel is false).
#ifndef TIPOLARIA_CLI_SERVE_WORKERSESSION_HPP_
#define TIPOLARIA_CLI_SERVE_WORKERSESSION_HPP_

#include <cstdint>
#include <functional>
#include <string>

#include "tipolaria/cprint.hpp"

namespace tipolaria::serve {

struct SessionConfig {
  std::string connection;
  std::int32_t lock_timeout = 60;  // seconds
  std::string logo;                // a PNG drawn in every page's logo box; empty: none
  // Called when the session finds the print lock taken and waits for it.
  std::function<void()> on_lock_wait;
  // The statement log's file; empty: none.
  std::string sql_log;
};

// The pages of the last generation: the last page of the cover report
// (cover and item pages) and the last page of all.
struct DeclarationPages {
  int caratula_hojas = 0;
  int total_hojas = 0;
};

class WorkerSession {
 public:
  // Opens the database; raises ComError when it cannot be opened.
  explicit WorkerSession(const SessionConfig& config);
  ~WorkerSession();
  WorkerSession(const WorkerSession&) = delete;
  WorkerSession& operator=(const WorkerSession&) = delete;

  // Whether sessions of one process print at the same time.
  static bool RunsInParallel();

  // A fresh driver (copies, client reference and page count as after Init)
  // and the range as in a new process, for the next declaration.
  void Reset();
  void SetCopias(std::int16_t copias);
  void SetReferenciaCliente(const std::string& referencia);
  // Raises ComError for a day that does not exist.
  void SetOperDate(const std::string& date);
  std::string GenerateIMP(const std::string& nombre_despachante, const std::string& iddtext,
                          const std::string& idorig, const std::string& fecofi, std::int16_t oper,
                          const std::string& canal, const std::string& ramo,
                          const std::string& morado, const std::string& org,
                          const std::string& eta);
  DeclarationPages Pages();
  void SetRange(std::int16_t desde, std::int16_t hasta);
  // Where the prints write a PNG picture of each page; empty: none.
  void SetPictureFolder(const std::string& folder);
  std::string PrintPDFCaratula(const std::string& path);
  std::string PrintPDFSubItems(const std::string& path);

 private:
  CPrint print_;
};

// Whether the database `connection` can be opened and holds the customs
// database's tables: empty text, or what is wrong (passwords masked).
std::string CheckDatabase(const std::string& connection);

// The database as messages name it: the connection string, passwords masked.
std::string DatabaseName(const std::string& connection);

}  // namespace tipolaria::serve

#endif  // TIPOLARIA_CLI_SERVE_WORKERSESSION_HPP_
