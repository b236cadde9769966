// The C calls without a handle: each is the handle call of the same name on
// the process's default session, the one CPrint objects share.
#include <cstdlib>

#include "api/CHandle.hpp"
#include "api/ComponentState.hpp"

using tipolaria::detail::DefaultHandle;

namespace tipolaria::detail {

tipolaria_session& DefaultHandle() {
  static tipolaria_session handle = [] {
    tipolaria_session made;
    made.session = &DefaultSession();
    return made;
  }();
  return handle;
}

}  // namespace tipolaria::detail

extern "C" {

long tipolaria_init(const char* connection_string) {
  return tipolaria_session_init(&DefaultHandle(), connection_string);
}
long tipolaria_clean_imp(void) { return tipolaria_session_clean_imp(&DefaultHandle()); }
long tipolaria_finalize(void) { return tipolaria_session_finalize(&DefaultHandle()); }
long tipolaria_initialize_pages_data(void) {
  return tipolaria_session_initialize_pages_data(&DefaultHandle());
}
long tipolaria_set_lock_timeout(int32_t seconds) {
  return tipolaria_session_set_lock_timeout(&DefaultHandle(), seconds);
}
long tipolaria_set_sql_log(const char* path) {
  return tipolaria_session_set_sql_log(&DefaultHandle(), path);
}
const char* tipolaria_version(void) { return TIPOLARIA_VERSION; }
long tipolaria_set_oper_date(const char* date) {
  return tipolaria_session_set_oper_date(&DefaultHandle(), date);
}

void tipolaria_set_hoja_desde(int16_t value) {
  tipolaria_session_set_hoja_desde(&DefaultHandle(), value);
}
void tipolaria_set_hoja_hasta(int16_t value) {
  tipolaria_session_set_hoja_hasta(&DefaultHandle(), value);
}
char* tipolaria_get_hoja_desde(void) { return tipolaria_session_get_hoja_desde(&DefaultHandle()); }
char* tipolaria_get_hoja_hasta(void) { return tipolaria_session_get_hoja_hasta(&DefaultHandle()); }

long tipolaria_set_copias(int16_t value) {
  return tipolaria_session_set_copias(&DefaultHandle(), value);
}
char* tipolaria_get_copias(void) { return tipolaria_session_get_copias(&DefaultHandle()); }
long tipolaria_set_caratula_hojas(int16_t value) {
  return tipolaria_session_set_caratula_hojas(&DefaultHandle(), value);
}
char* tipolaria_get_caratula_hojas(void) {
  return tipolaria_session_get_caratula_hojas(&DefaultHandle());
}
long tipolaria_set_referencia_cliente(const char* value) {
  return tipolaria_session_set_referencia_cliente(&DefaultHandle(), value);
}
char* tipolaria_get_referencia_cliente(void) {
  return tipolaria_session_get_referencia_cliente(&DefaultHandle());
}

char* tipolaria_generate_imp(const char* nombre_despachante, const char* iddtext,
                             const char* idorig, const char* fecofi, int16_t oper,
                             const char* canal, const char* ramo, const char* morado,
                             const char* org, const char* eta) {
  return tipolaria_session_generate_imp(&DefaultHandle(), nombre_despachante, iddtext, idorig,
                                        fecofi, oper, canal, ramo, morado, org, eta);
}
char* tipolaria_print_pdf_caratula(const char* path) {
  return tipolaria_session_print_pdf_caratula(&DefaultHandle(), path);
}
char* tipolaria_print_pdf_sub_items(const char* path) {
  return tipolaria_session_print_pdf_sub_items(&DefaultHandle(), path);
}
void tipolaria_set_logo(const char* png_path) {
  tipolaria_session_set_logo(&DefaultHandle(), png_path);
}

const char* tipolaria_last_error_source(void) {
  return tipolaria_session_error_source(&DefaultHandle());
}
const char* tipolaria_last_error_description(void) {
  return tipolaria_session_error_description(&DefaultHandle());
}

void tipolaria_free(char* text) { std::free(text); }

}  // extern "C"
