/* The C interface of libtipolaria, for hosts written in any language (C,
 * Python ctypes, Java, .NET, Delphi, Go). It mirrors tipolaria::CPrint
 * (tipolaria/cprint.hpp): the same component state, the same operations,
 * the same JSON texts. A session runs:
 *
 *   tipolaria_init("sqlite:/data/aduana.db");      connect; settings reset
 *   tipolaria_set_hoja_hasta(32767);               print every page
 *   json = tipolaria_generate_imp(...);            pages into the table IMP
 *   json = tipolaria_print_pdf_caratula("c.pdf");  cover and item pages
 *   json = tipolaria_print_pdf_sub_items("s.pdf"); continuation pages
 *   tipolaria_finalize();
 *
 * Errors. No exception crosses this interface. Calls that can fail return
 * 0 on success and the error's number otherwise (a getter returns NULL);
 * the error's source (the path of procedures it came through, innermost
 * first) and description are then available from
 * tipolaria_last_error_source and tipolaria_last_error_description until
 * the next call, which clears them. The generation and the prints never
 * fail this way: they return their JSON result, {"Result": "OK"} or
 * {"Result": "ERR", "errorMessage": "...", "source":"..."}, always valid
 * JSON in UTF-8.
 *
 * Texts are UTF-8; a NULL argument counts as empty text. A text returned as
 * char* belongs to the caller, who releases it with tipolaria_free; a text
 * returned as const char* belongs to the library.
 *
 * Threads and sessions: one session per process. Every call works on the
 * one component state of the process (the database connection, the driver
 * that holds the settings, the print range, the last error), shared by all
 * callers as CPrint objects share it. Calls must come from one thread at a
 * time (a host with several threads serialises them); sessions that print
 * at the same time run in separate processes. Sessions in separate
 * processes on one database never mix their pages: a generation and a
 * print's read of IMP hold the database's print lock, and each session
 * prints what its own generation wrote.
 */
#ifndef TIPOLARIA_TIPOLARIA_H_
#define TIPOLARIA_TIPOLARIA_H_

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

/* ---- Life cycle ---- */

/* Opens the customs database and starts afresh: a new connection and a new
 * driver (settings made before are lost), today as the operation date.
 * Connection strings: "sqlite:PATH" or "Provider=SQLite;Data Source=PATH"
 * for the embedded database (the file must exist); ODBC strings
 * ("Driver=...;...", "DSN=...") and the SQL Server provider strings hosts
 * hold ("Provider=SQLOLEDB;Data Source=...;Initial Catalog=...").
 * On failure the component is left not initialised. */
long tipolaria_init(const char* connection_string);
/* A new driver for the next declaration: copies, cover pages, client
 * reference and the page count back to 0 or empty. Keeps the connection,
 * the print range and IMP. Works before init too. */
long tipolaria_clean_imp(void);
/* Releases the connection and the driver. */
long tipolaria_finalize(void);

/* ---- Generation and prints ---- */

/* Normalises the page range and the copies against the last generation
 * (the generation and the prints do this themselves). Fails when not
 * initialised. */
long tipolaria_initialize_pages_data(void);
/* Fills the work table IMP with the pages of the declaration `iddtext`
 * (DDT.iddtext). The reference printed on every page is `idorig`, or
 * `iddtext` when empty; `fecofi` is the official date text; `oper` the kind
 * of print (0 provisional, 1 official, 4 reprint, 5 post-shipment), which
 * with `org` and `eta` makes the document-state label; `canal`, `ramo` and
 * `morado` are printed as given. Returns the JSON result (failure also when
 * no declaration has that iddtext, or the database's print lock stayed
 * taken past the lock time-out). The session keeps the rows it wrote: the
 * prints that follow print those. Release the result with tipolaria_free. */
char* tipolaria_generate_imp(const char* nombre_despachante, const char* iddtext,
                             const char* idorig, const char* fecofi, int16_t oper,
                             const char* canal, const char* ramo, const char* morado,
                             const char* org, const char* eta);
/* Prints the cover and item pages within the print range to the PDF file
 * `path`; returns the JSON result. A range without such pages is a failure;
 * a failed print leaves no file and keeps an earlier file at `path`.
 * Without a generation in this session, it prints what IMP holds. */
char* tipolaria_print_pdf_caratula(const char* path);
/* The same for the continuation pages. */
char* tipolaria_print_pdf_sub_items(const char* path);

/* ---- The print range: usable before init, kept across init ---- */

void tipolaria_set_hoja_desde(int16_t value);
void tipolaria_set_hoja_hasta(int16_t value);
/* The range as decimal text ("0", "12", "-3"). */
char* tipolaria_get_hoja_desde(void);
char* tipolaria_get_hoja_hasta(void);

/* ---- Driver settings: they need init (or clean_imp); without a driver
 * they fail with "Primero debe inicializar la dll" and a getter returns
 * NULL ---- */

/* The copy number printed on the pages (0 prints as 1). */
long tipolaria_set_copias(int16_t value);
char* tipolaria_get_copias(void);
/* The last page of the cover report; every generation recomputes it. */
long tipolaria_set_caratula_hojas(int16_t value);
char* tipolaria_get_caratula_hojas(void);
/* The client's reference, printed on the top line of every page. */
long tipolaria_set_referencia_cliente(const char* value);
char* tipolaria_get_referencia_cliente(void);

/* ---- Additions of this library ---- */

/* The operation date (dd/mm/yyyy) as of which the catalogues are read,
 * replacing the today that init set: for reprints and reproducible runs.
 * Needs init; an impossible date is refused. */
long tipolaria_set_oper_date(const char* date);
/* A PNG file drawn in the logo box of every printed page; NULL or "" (the
 * default) for none. Kept across init. A file that is no PNG fails the
 * print that uses it. */
void tipolaria_set_logo(const char* png_path);
/* Seconds a generation or a print waits for the database's print lock
 * while another session holds it (default 60, 0 does not wait); then it
 * fails naming the database. A negative time is refused. Kept across
 * init. */
long tipolaria_set_lock_timeout(int32_t seconds);
/* The statement log: every request the session sends to the customs
 * database from now on, one a line, in T-SQL as SQL Server receives it (a
 * parameter array with its size, a procedure call as its EXEC), written to
 * the file `path` (emptied first); NULL or "" ends the log. Never holds a
 * password. Kept across init. A path that cannot be written is refused. */
long tipolaria_set_sql_log(const char* path);
/* The library's version, "major.minor.patch". */
const char* tipolaria_version(void);

/* ---- Errors and memory ---- */

/* The last error of a call through this interface; empty text after a call
 * that succeeded. */
const char* tipolaria_last_error_source(void);
const char* tipolaria_last_error_description(void);

/* Releases a text this interface returned as char*; NULL is allowed. */
void tipolaria_free(char* text);

#ifdef __cplusplus
}
#endif

#endif /* TIPOLARIA_TIPOLARIA_H_ */
