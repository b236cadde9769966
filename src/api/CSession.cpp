// The C interface's session handles: each call runs the Session member of
// the same name through the handle's Guard.
#include <cstdlib>
#include <cstring>
#include <new>

#include "api/CHandle.hpp"

using tipolaria::Session;
using tipolaria::detail::Guard;
using tipolaria::detail::GuardText;
using tipolaria::detail::Text;

namespace tipolaria::detail {

char* Copy(const std::string& text) {
  char* out = static_cast<char*>(std::malloc(text.size() + 1));
  if (out != nullptr) std::memcpy(out, text.c_str(), text.size() + 1);
  return out;
}

}  // namespace tipolaria::detail

extern "C" {

tipolaria_session* tipolaria_session_new(const char* connection_string) {
  auto* handle = new (std::nothrow) tipolaria_session;
  if (handle == nullptr) return nullptr;
  // Without memory for the session there is no handle to carry the error.
  try {
    handle->owned = std::make_unique<Session>();
  } catch (...) {
    delete handle;
    return nullptr;
  }
  handle->session = handle->owned.get();
  if (connection_string != nullptr) tipolaria_session_init(handle, connection_string);
  return handle;
}

void tipolaria_session_free(tipolaria_session* session) { delete session; }

long tipolaria_session_error_number(const tipolaria_session* session) {
  return session == nullptr ? 0 : session->error_number;
}
const char* tipolaria_session_error_source(const tipolaria_session* session) {
  return session == nullptr ? "" : session->error_source.c_str();
}
const char* tipolaria_session_error_description(const tipolaria_session* session) {
  return session == nullptr ? "" : session->error_description.c_str();
}

long tipolaria_session_init(tipolaria_session* session, const char* connection_string) {
  return Guard(session, [&](Session& s) { s.Init(Text(connection_string)); });
}
long tipolaria_session_clean_imp(tipolaria_session* session) {
  return Guard(session, [](Session& s) { s.CleanIMP(); });
}
long tipolaria_session_finalize(tipolaria_session* session) {
  return Guard(session, [](Session& s) { s.Finalize(); });
}
long tipolaria_session_initialize_pages_data(tipolaria_session* session) {
  return Guard(session, [](Session& s) { s.InitializePagesData(); });
}

char* tipolaria_session_generate_imp(tipolaria_session* session, const char* nombre_despachante,
                                     const char* iddtext, const char* idorig, const char* fecofi,
                                     int16_t oper, const char* canal, const char* ramo,
                                     const char* morado, const char* org, const char* eta) {
  return GuardText(session, [&](Session& s) {
    return s.GenerateIMP(Text(nombre_despachante), Text(iddtext), Text(idorig), Text(fecofi), oper,
                         Text(canal), Text(ramo), Text(morado), Text(org), Text(eta));
  });
}
char* tipolaria_session_print_pdf_caratula(tipolaria_session* session, const char* path) {
  return GuardText(session, [&](Session& s) { return s.PrintPDFCaratula(Text(path)); });
}
char* tipolaria_session_print_pdf_sub_items(tipolaria_session* session, const char* path) {
  return GuardText(session, [&](Session& s) { return s.PrintPDFSubItems(Text(path)); });
}

void tipolaria_session_set_hoja_desde(tipolaria_session* session, int16_t value) {
  Guard(session, [&](Session& s) { s.SetHojaDesde(value); });
}
void tipolaria_session_set_hoja_hasta(tipolaria_session* session, int16_t value) {
  Guard(session, [&](Session& s) { s.SetHojaHasta(value); });
}
char* tipolaria_session_get_hoja_desde(tipolaria_session* session) {
  return GuardText(session, [](Session& s) { return s.GetHojaDesde(); });
}
char* tipolaria_session_get_hoja_hasta(tipolaria_session* session) {
  return GuardText(session, [](Session& s) { return s.GetHojaHasta(); });
}
long tipolaria_session_set_copias(tipolaria_session* session, int16_t value) {
  return Guard(session, [&](Session& s) { s.SetCopias(value); });
}
char* tipolaria_session_get_copias(tipolaria_session* session) {
  return GuardText(session, [](Session& s) { return s.GetCopias(); });
}
long tipolaria_session_set_caratula_hojas(tipolaria_session* session, int16_t value) {
  return Guard(session, [&](Session& s) { s.SetCaratulaHojas(value); });
}
char* tipolaria_session_get_caratula_hojas(tipolaria_session* session) {
  return GuardText(session, [](Session& s) { return s.GetCaratulaHojas(); });
}
long tipolaria_session_set_referencia_cliente(tipolaria_session* session, const char* value) {
  return Guard(session, [&](Session& s) { s.SetReferenciaCliente(Text(value)); });
}
char* tipolaria_session_get_referencia_cliente(tipolaria_session* session) {
  return GuardText(session, [](Session& s) { return s.GetReferenciaCliente(); });
}

long tipolaria_session_set_oper_date(tipolaria_session* session, const char* date) {
  return Guard(session, [&](Session& s) { s.SetOperDate(Text(date)); });
}
void tipolaria_session_set_logo(tipolaria_session* session, const char* png_path) {
  Guard(session, [&](Session& s) { s.SetLogo(Text(png_path)); });
}
long tipolaria_session_set_lock_timeout(tipolaria_session* session, int32_t seconds) {
  return Guard(session, [&](Session& s) { s.SetLockTimeout(seconds); });
}
long tipolaria_session_set_sql_log(tipolaria_session* session, const char* path) {
  return Guard(session, [&](Session& s) { s.SetSqlLog(Text(path)); });
}
void tipolaria_session_set_picture_folder(tipolaria_session* session, const char* folder) {
  Guard(session, [&](Session& s) { s.SetPictureFolder(Text(folder)); });
}
void tipolaria_session_set_lock_wait_notice(tipolaria_session* session,
                                            tipolaria_lock_wait_notice notice, void* user_data) {
  Guard(session, [&](Session& s) {
    if (notice == nullptr) {
      s.SetLockWaitNotice(nullptr);
      return;
    }
    s.SetLockWaitNotice(
        [notice, user_data](const std::string& message) { notice(message.c_str(), user_data); });
  });
}

long tipolaria_session_get_pages(tipolaria_session* session, int32_t* caratula_hojas,
                                 int32_t* total_hojas) {
  return Guard(session, [&](Session& s) {
    const Session::Pages pages = s.GetPages();
    if (caratula_hojas != nullptr) *caratula_hojas = pages.CaratulaHojas;
    if (total_hojas != nullptr) *total_hojas = pages.TotalHojas;
  });
}

}  // extern "C"
