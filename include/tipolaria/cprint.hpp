// tipolaria::CPrint: the public print class. A host calls Init with a
// connection string to the customs database, sets the page range, copies,
// cover-page count and client reference, generates one declaration's pages
// and prints them, and ends with Finalize.
//
// All CPrint objects share one component state, the process's default
// session (tipolaria::Session, session.hpp): the database connection, the
// driver that holds the settings, and the print range. A second CPrint sees
// (and replaces) what the first set up, as hosts of the original component
// expect. Calls must come from one thread at a time. A host that runs
// several sessions at once, on several threads, makes a Session for each;
// sessions never mix their pages: each prints what its own generation wrote
// (see GenerateIMP).
//
// Init, CleanIMP, Finalize, InitializePagesData and the settings raise
// tipolaria::ComError on failure. Text is UTF-8.
#ifndef TIPOLARIA_CPRINT_HPP_
#define TIPOLARIA_CPRINT_HPP_

#include <cstdint>
#include <string>

#include "tipolaria/error.hpp"

namespace tipolaria {

class CPrint {
 public:
  // Opens the database and starts afresh: a new connection and a new driver
  // (the settings made before are lost), today as the operation date. On
  // failure the component is left not initialised.
  bool Init(const std::string& ConectionString);
  // A new driver for the next declaration: settings and page count back to 0.
  bool CleanIMP();
  // Releases the connection and the driver.
  bool Finalize();
  // Normalises the page range and copies against the last generation.
  bool InitializePagesData();
  // Fills the work table with the pages of the declaration pIddtext: clamps
  // the range, keeps the arguments in the driver, builds the document-state
  // label from pOper, pOrg and pEta, and generates the pages. The reference
  // printed on every page is pIdOrig, or pIddtext when pIdOrig is empty.
  // Never raises: returns {"Result": "OK"}, or {"Result": "ERR", ...} with the
  // error's description and source, also when no declaration has that
  // iddtext. The generation holds the database's print lock (see
  // SetLockTimeout) and keeps the rows it wrote: the prints that follow in
  // this session print those, whatever another session generates meanwhile.
  // Without a generation since Init or CleanIMP, a print reads the table.
  std::string GenerateIMP(const std::string& pNombreDespachante, const std::string& pIddtext,
                          const std::string& pIdOrig, const std::string& pFecOfi,
                          std::int16_t pOper, const std::string& pCanal, const std::string& pRamo,
                          const std::string& pMorado, const std::string& pOrg,
                          const std::string& pEta);

  // Print the pages that the last generation left in the work table to a
  // PDF file at `path`: the cover and item pages, or the continuation pages,
  // within the page range (clamped first as InitializePagesData does). Never
  // raise: return {"Result": "OK"}, or the failure text. A range without
  // pages of the report is a failure too. A failed print leaves no file.
  std::string PrintPDFCaratula(const std::string& path);
  std::string PrintPDFSubItems(const std::string& path);
  // A PNG picture drawn in the logo box of every printed page; empty text
  // (the default) leaves the box empty. Kept until changed, across Init.
  void SetLogo(const std::string& png_path);

  // The print range; these work before Init too and outlive Finalize.
  void SetHojaDesde(std::int16_t value);
  void SetHojaHasta(std::int16_t value);
  std::string GetHojaDesde();
  std::string GetHojaHasta();
  // Driver settings: they raise "Primero debe inicializar la dll" without a
  // driver.
  void SetCopias(std::int16_t value);
  std::string GetCopias();
  void SetCaratulaHojas(std::int16_t value);
  std::string GetCaratulaHojas();
  void SetReferenciaCliente(const std::string& value);
  std::string GetReferenciaCliente();

  // How long GenerateIMP and the print operations wait, in seconds, when
  // another session holds the database's print lock (one generation or one
  // print's read of the work table at a time, in any process); 60 unless
  // set, 0 does not wait. After it they fail naming the database. Kept
  // across Init. A negative time raises.
  void SetLockTimeout(std::int32_t seconds);

  // The statement log: every request the session sends to the customs
  // database from now on goes to the file `path` (emptied first), one a
  // line, in T-SQL as SQL Server receives it: a parameter array with its
  // size, a stored procedure call as its EXEC, the transaction commands.
  // It never holds a password. Empty text ends the log. Kept across Init.
  // A path that cannot be written raises.
  void SetSqlLog(const std::string& path);

  // Replaces the operation date (dd/mm/yyyy) that Init set to today, so that
  // a reprint or a reproducible run reads the catalogues as of a fixed day.
  void SetOperDate(const std::string& date);
};

}  // namespace tipolaria

#endif  // TIPOLARIA_CPRINT_HPP_
