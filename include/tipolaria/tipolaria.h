/* The C interface of libtipolaria, for hosts written in any language (C,
 * Python ctypes, Java, .NET, Delphi, Go). It mirrors tipolaria::CPrint: the
 * same component state, the same members, the same JSON texts.
 *
 * No exception crosses this interface. Members that raise in C++ return 0 on
 * success and the error's number otherwise; the error's source and
 * description are then available from tipolaria_last_error_source and
 * tipolaria_last_error_description until the next call. Texts are UTF-8. A
 * text returned as char* belongs to the caller, who releases it with
 * tipolaria_free; a NULL argument counts as empty text. Calls must come from
 * one thread at a time.
 */
#ifndef TIPOLARIA_TIPOLARIA_H_
#define TIPOLARIA_TIPOLARIA_H_

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

long tipolaria_init(const char* connection_string);
long tipolaria_clean_imp(void);
long tipolaria_finalize(void);
long tipolaria_initialize_pages_data(void);
long tipolaria_set_oper_date(const char* date);
/* Seconds a generation or a print waits for the database's print lock while
 * another session holds it (default 60, 0 does not wait); then it fails
 * naming the database. Kept across init. */
long tipolaria_set_lock_timeout(int32_t seconds);
/* The library's version, "major.minor.patch"; the text belongs to the
 * library. */
const char* tipolaria_version(void);

/* The print range: usable before init. */
void tipolaria_set_hoja_desde(int16_t value);
void tipolaria_set_hoja_hasta(int16_t value);
char* tipolaria_get_hoja_desde(void);
char* tipolaria_get_hoja_hasta(void);

/* Driver settings. A getter returns NULL on error (see last_error). */
long tipolaria_set_copias(int16_t value);
char* tipolaria_get_copias(void);
long tipolaria_set_caratula_hojas(int16_t value);
char* tipolaria_get_caratula_hojas(void);
long tipolaria_set_referencia_cliente(const char* value);
char* tipolaria_get_referencia_cliente(void);

/* The working operations return their JSON text: {"Result": "OK"} or the
 * failure text. */
char* tipolaria_generate_imp(const char* nombre_despachante, const char* iddtext,
                             const char* idorig, const char* fecofi, int16_t oper,
                             const char* canal, const char* ramo, const char* morado,
                             const char* org, const char* eta);

char* tipolaria_print_pdf_caratula(const char* path);
char* tipolaria_print_pdf_sub_items(const char* path);
/* A PNG drawn in the logo box of printed pages; NULL or "" for none. */
void tipolaria_set_logo(const char* png_path);

/* The last error raised through this interface. */
const char* tipolaria_last_error_source(void);
const char* tipolaria_last_error_description(void);

void tipolaria_free(char* text);

#ifdef __cplusplus
}
#endif

#endif /* TIPOLARIA_TIPOLARIA_H_ */
