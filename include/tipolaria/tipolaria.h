/* The C interface of libtipolaria, for hosts written in any language (C,
 * Python ctypes, Java, .NET, Delphi, Go). It mirrors tipolaria::Session and
 * tipolaria::CPrint (tipolaria/session.hpp, tipolaria/cprint.hpp): the same
 * operations, the same JSON texts, in two forms.
 *
 * Sessions as handles. A host makes as many sessions as it likes, each with
 * its own connection, settings, print range and errors:
 *
 *   tipolaria_session* s = tipolaria_session_new("sqlite:/data/aduana.db");
 *   if (tipolaria_session_error_number(s) != 0) ...    could not connect
 *   tipolaria_session_set_hoja_hasta(s, 32767);         print every page
 *   json = tipolaria_session_generate_imp(s, ...);      pages into IMP
 *   json = tipolaria_session_print_pdf_caratula(s, "c.pdf");
 *   json = tipolaria_session_print_pdf_sub_items(s, "s.pdf");
 *   tipolaria_session_free(s);
 *
 * The default session. The calls without a handle (tipolaria_init,
 * tipolaria_generate_imp, ...) work on the one default session of the
 * process, which every CPrint object shares too, as hosts of the original
 * component expect:
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
 * the error's number, source (the path of procedures it came through,
 * innermost first) and description are then available until the next call
 * on the same session, which clears them: from
 * tipolaria_session_error_number, _source and _description for a handle,
 * from tipolaria_last_error_source and tipolaria_last_error_description for
 * the default session. A call on one session never changes the errors of
 * another. The generation and the prints never fail this way: they return
 * their JSON result, {"Result": "OK"} or {"Result": "ERR", "errorMessage":
 * "...", "source":"..."}, always valid JSON in UTF-8.
 *
 * Texts are UTF-8; a NULL argument counts as empty text. A text returned as
 * char* belongs to the caller, who releases it with tipolaria_free; a text
 * returned as const char* belongs to the library and stays valid until the
 * next call on the same session.
 *
 * Threads. A session, the default one included, is used by one thread at a
 * time; different sessions run on different threads at once. Sessions on
 * one database never mix their pages, in one process or in several: a
 * generation, and a print's read of IMP, hold the database's print lock,
 * and each session prints what its own generation wrote, so generations
 * take turns while prints run in parallel.
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

/* ---- Sessions as handles ----
 *
 * Each call below works on the session `session` exactly as the call of
 * the same name without the handle works on the default session; the
 * handle must come from tipolaria_session_new and not be freed yet. A NULL
 * handle does nothing: calls that can fail return 5 (invalid procedure
 * call), getters and the generation and prints NULL. */

typedef struct tipolaria_session tipolaria_session;

/* A new session on the database `connection_string` (as tipolaria_init
 * takes it). The session is returned also when the connection fails: it is
 * then not initialised, and tipolaria_session_error_number tells why (call
 * tipolaria_session_init to try again). A NULL connection string gives a
 * session not initialised, with no error. Returns NULL only when memory
 * runs out. Release it with tipolaria_session_free. */
tipolaria_session* tipolaria_session_new(const char* connection_string);
/* Closes the session's connection and releases it; NULL is allowed. */
void tipolaria_session_free(tipolaria_session* session);

/* The error of the last call on `session` that failed (0, "" and "" after
 * a call that succeeded). The texts stay valid until the next call on the
 * session. */
long tipolaria_session_error_number(const tipolaria_session* session);
const char* tipolaria_session_error_source(const tipolaria_session* session);
const char* tipolaria_session_error_description(const tipolaria_session* session);

/* Life cycle, generation and prints, as tipolaria_init ... */
long tipolaria_session_init(tipolaria_session* session, const char* connection_string);
long tipolaria_session_clean_imp(tipolaria_session* session);
long tipolaria_session_finalize(tipolaria_session* session);
long tipolaria_session_initialize_pages_data(tipolaria_session* session);
char* tipolaria_session_generate_imp(tipolaria_session* session, const char* nombre_despachante,
                                     const char* iddtext, const char* idorig, const char* fecofi,
                                     int16_t oper, const char* canal, const char* ramo,
                                     const char* morado, const char* org, const char* eta);
char* tipolaria_session_print_pdf_caratula(tipolaria_session* session, const char* path);
char* tipolaria_session_print_pdf_sub_items(tipolaria_session* session, const char* path);

/* The print range and the driver settings, as tipolaria_set_hoja_desde ... */
void tipolaria_session_set_hoja_desde(tipolaria_session* session, int16_t value);
void tipolaria_session_set_hoja_hasta(tipolaria_session* session, int16_t value);
char* tipolaria_session_get_hoja_desde(tipolaria_session* session);
char* tipolaria_session_get_hoja_hasta(tipolaria_session* session);
long tipolaria_session_set_copias(tipolaria_session* session, int16_t value);
char* tipolaria_session_get_copias(tipolaria_session* session);
long tipolaria_session_set_caratula_hojas(tipolaria_session* session, int16_t value);
char* tipolaria_session_get_caratula_hojas(tipolaria_session* session);
long tipolaria_session_set_referencia_cliente(tipolaria_session* session, const char* value);
char* tipolaria_session_get_referencia_cliente(tipolaria_session* session);

/* The additions, as tipolaria_set_oper_date, tipolaria_set_logo and
 * tipolaria_set_lock_timeout; the logo and the lock time-out are kept
 * across init, the operation date needs init. */
long tipolaria_session_set_oper_date(tipolaria_session* session, const char* date);
void tipolaria_session_set_logo(tipolaria_session* session, const char* png_path);
long tipolaria_session_set_lock_timeout(tipolaria_session* session, int32_t seconds);

/* The statement log of the session, as tipolaria_set_sql_log; give each
 * session a file of its own. */
long tipolaria_session_set_sql_log(tipolaria_session* session, const char* path);

/* A folder in which every print of the session also writes each page it
 * prints as a PNG picture named after the PDF and the page number
 * (printing "cover.pdf" writes cover-001.png, cover-002.png, ...); the
 * print creates the folder. NULL or "" (the default): no pictures. Kept
 * across init. */
void tipolaria_session_set_picture_folder(tipolaria_session* session, const char* folder);

/* Called, on the thread of the operation, when a generation or a print of
 * the session finds the database's print lock taken and has waited for it
 * half a second (it waits at most the lock time-out in all): `message`
 * names the database and the wait, and
 * is valid during the call; `user_data` is the pointer given here. NULL
 * (the default): the session waits silently. Kept across init. */
typedef void (*tipolaria_lock_wait_notice)(const char* message, void* user_data);
void tipolaria_session_set_lock_wait_notice(tipolaria_session* session,
                                            tipolaria_lock_wait_notice notice, void* user_data);

/* The pages of the session's last generation: the last page of the cover
 * report (cover and item pages; the continuation pages follow it) and the
 * last page; 0 and 0 before a generation or without a driver. Either
 * pointer may be NULL. */
long tipolaria_session_get_pages(tipolaria_session* session, int32_t* caratula_hojas,
                                 int32_t* total_hojas);

/* ---- Errors and memory ---- */

/* The last error of a call on the default session; empty text after a call
 * that succeeded. */
const char* tipolaria_last_error_source(void);
const char* tipolaria_last_error_description(void);

/* Releases a text this interface returned as char*; NULL is allowed. */
void tipolaria_free(char* text);

#ifdef __cplusplus
}
#endif

#endif /* TIPOLARIA_TIPOLARIA_H_ */
