// tipolaria::Session: one print session as an object. A session owns its
// connection to the customs database, its driver (the copies, cover-page
// count and client reference of the declaration being printed), its print
// range, its settings and its snapshot of the work table IMP. It offers the
// operations of CPrint under the same names, with the same results and JSON
// texts; CPrint is this class over one default session per process.
//
// Threads. A session is used by one thread at a time; different sessions
// run on different threads at once, in one process. A worker thread that
// owns a session generates and prints without waiting for the others but
// for the print lock: generations on one database take turns, whichever
// process or session they run in (one holds the lock from the start of its
// generation to the end; it writes IMP, which the database has only once),
// and a print that reads IMP holds it while it reads. Prints of a session's
// own generation read the snapshot it kept, so they run in parallel with
// everything else.
//
// A session prints into files named by the host: the PDF documents at the
// paths of the print operations, and, when SetPictureFolder names a folder,
// a PNG picture of every printed page. A service that renders for many
// clients gives each print a folder of its own and removes it when done.
//
// Errors as in CPrint: Init, CleanIMP, Finalize, InitializePagesData and the
// settings raise tipolaria::ComError; GenerateIMP and the prints return
// their JSON result and never raise. Text is UTF-8.
#ifndef TIPOLARIA_SESSION_HPP_
#define TIPOLARIA_SESSION_HPP_

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "tipolaria/database.hpp"
#include "tipolaria/error.hpp"

namespace tipolaria {

class Session;
namespace detail {
struct SessionState;
// The state of `session`, for the library's own files.
SessionState& StateOf(Session& session);
}  // namespace detail

// The JSON result of an operation that succeeded; any other result of
// GenerateIMP or a print is {"Result": "ERR", "errorMessage": "...",
// "source":"..."}.
inline constexpr std::string_view kJsonOk = R"({"Result": "OK"})";

class Session {
 public:
  // Told, on the thread of the operation, that the database's print lock is
  // taken by another session and that the operation waits for it (at most
  // the lock time-out), once the wait has lasted half a second: the short
  // turns of sessions on a busy database are not worth a word. The message
  // names the database (passwords masked) and the wait.
  using LockWaitNotice = std::function<void(const std::string& message)>;

  // A session not initialised yet: the print range and the settings kept
  // across Init can be set; Init connects.
  Session();
  // A session initialised on `ConectionString`: raises as Init does.
  explicit Session(const std::string& ConectionString);
  ~Session();
  Session(const Session&) = delete;
  Session& operator=(const Session&) = delete;

  // ---- The operations of CPrint (cprint.hpp documents each) ----

  // Opens the database and starts afresh: a new connection and a new driver
  // (the driver's settings are lost), today as the operation date. The
  // print range and the settings below are kept. On failure the session is
  // left not initialised.
  bool Init(const std::string& ConectionString);
  // A new driver for the next declaration: copies, cover pages, client
  // reference and the page count back to 0 or empty.
  bool CleanIMP();
  // Releases the connection and the driver.
  bool Finalize();
  // Normalises the page range and copies against the last generation.
  bool InitializePagesData();
  std::string GenerateIMP(const std::string& pNombreDespachante, const std::string& pIddtext,
                          const std::string& pIdOrig, const std::string& pFecOfi,
                          std::int16_t pOper, const std::string& pCanal, const std::string& pRamo,
                          const std::string& pMorado, const std::string& pOrg,
                          const std::string& pEta);
  std::string PrintPDFCaratula(const std::string& path);
  std::string PrintPDFSubItems(const std::string& path);

  // Both documents of the last generation: each result, and each error
  // behind a failure text, as PrintPDFCaratula(cover_path) followed by
  // PrintPDFSubItems(continuation_path) give them, and GetLastFailure after
  // it as after those two. The two documents render at once, on two threads,
  // when the session holds the pages of its own generation; pages another
  // process generated are printed one document after the other.
  struct Documents {
    std::string caratula;
    std::optional<ComError> caratula_failure;
    std::string sub_items;
    std::optional<ComError> sub_items_failure;
  };
  Documents PrintPDFs(const std::string& cover_path, const std::string& continuation_path);

  // The error behind the last failure text that GenerateIMP or a print of
  // this session returned, as the text shows it (number, description, and
  // source ending with the operation's name), for a host that acts on the
  // kind of failure rather than read the text; none after an operation that
  // returned {"Result": "OK"}.
  std::optional<ComError> GetLastFailure() const;

  void SetHojaDesde(std::int16_t value);
  void SetHojaHasta(std::int16_t value);
  std::string GetHojaDesde();
  std::string GetHojaHasta();
  void SetCopias(std::int16_t value);
  std::string GetCopias();
  void SetCaratulaHojas(std::int16_t value);
  std::string GetCaratulaHojas();
  void SetReferenciaCliente(const std::string& value);
  std::string GetReferenciaCliente();

  // ---- Settings of this library, kept across Init and CleanIMP ----

  // A PNG picture drawn in the logo box of every printed page; empty text
  // (the default) leaves the box empty.
  void SetLogo(const std::string& png_path);
  // How long a generation or a print waits for the database's print lock,
  // in seconds (60 unless set; 0 does not wait). A negative time raises.
  void SetLockTimeout(std::int32_t seconds);
  // The statement log: every request the session sends to the customs
  // database from now on goes to the file `path` (emptied first), one a
  // line, in T-SQL as SQL Server receives it (CPrint::SetSqlLog). Empty
  // text ends the log. A path that cannot be written raises. Give each
  // session a file of its own.
  void SetSqlLog(const std::string& path);
  // Who is told that an operation waits for the print lock; none (the
  // default) waits silently.
  void SetLockWaitNotice(LockWaitNotice notice);
  // A folder in which every print also writes each page it prints as a PNG
  // picture, named after the PDF and the page number: printing `cover.pdf`
  // writes `cover-001.png`, `cover-002.png`, ... The print creates the
  // folder; empty text (the default) writes no pictures.
  void SetPictureFolder(const std::string& folder);

  // The operation date (dd/mm/yyyy) as of which the catalogues are read,
  // replacing the today that Init set: for reprints and reproducible runs.
  // Needs Init (it belongs to the connection); an impossible date raises.
  void SetOperDate(const std::string& date);

  // ---- The pages the session holds ----

  // The pages of the last generation (or of AdoptImpTable): the last page
  // of the cover report (cover and item pages) and the last page; the pages
  // after CaratulaHojas are continuation pages. Zero before either, or
  // without a driver.
  struct Pages {
    std::int32_t CaratulaHojas = 0;
    std::int32_t TotalHojas = 0;
  };
  Pages GetPages() const;

  // Makes what IMP holds this session's own, as if it had generated it (a
  // host printing what another process generated): one read under the
  // print lock becomes the snapshot that every print of the session renders,
  // so that both documents show the same generation, and the page counts
  // become those of the pages read. Returns the number of rows read. Needs
  // Init; raises the print lock's time-out error.
  std::size_t AdoptImpTable();

  // One row of IMP: page, page type (0 cover and item pages, 1 continuation
  // pages), field ("c" + number, or "cQOR1") and printed value.
  struct ImpRow {
    FieldValue NRO_HOJA;
    FieldValue TIPO;
    FieldValue NRO_CAMPO;
    FieldValue VALOR;
  };
  // Every row of IMP, read under the print lock, in the order the reports
  // read them (type, then page). Needs Init; raises as AdoptImpTable does.
  std::vector<ImpRow> ReadImpRows();

 private:
  friend detail::SessionState& detail::StateOf(Session& session);
  std::unique_ptr<detail::SessionState> state_;
};

// Removes the hidden temporary files of the prints under way in this process
// (a print writes its files under temporary names and gives them their
// names when all are written). Async-signal-safe: for a host's handler of
// SIGINT or SIGTERM that ends the process, so that nothing is left behind.
void RemoveUnfinishedPrintFiles() noexcept;

}  // namespace tipolaria

#endif  // TIPOLARIA_SESSION_HPP_
