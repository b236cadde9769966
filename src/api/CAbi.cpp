// The C interface: every call runs the C++ member and turns what it raises
// into a return code and the last-error texts, so that no exception ever
// reaches a host.
#include <cstdlib>
#include <cstring>
#include <string>

#include "runtime/Trap.hpp"
#include "tipolaria/cprint.hpp"
#include "tipolaria/tipolaria.h"

namespace {

struct LastError {
  std::string source;
  std::string description;
};

LastError& Last() {
  static LastError last;
  return last;
}

std::string Text(const char* text) { return text == nullptr ? std::string() : text; }

char* Copy(const std::string& text) {
  char* out = static_cast<char*>(std::malloc(text.size() + 1));
  if (out != nullptr) std::memcpy(out, text.c_str(), text.size() + 1);
  return out;
}

// Runs `body`, recording an error instead of letting it escape.
template <typename Body>
long Guard(Body&& body) {
  Last() = LastError{};
  try {
    body();
    return 0;
  } catch (...) {
    const tipolaria::ComError error = tipolaria::CaughtError();
    Last() = LastError{error.source(), error.description()};
    return error.number() != 0 ? error.number() : tipolaria::kErrInternal;
  }
}

template <typename Getter>
char* GuardText(Getter&& getter) {
  char* out = nullptr;
  Guard([&] { out = Copy(getter()); });
  return out;
}

}  // namespace

extern "C" {

long tipolaria_init(const char* connection_string) {
  return Guard([&] { tipolaria::CPrint().Init(Text(connection_string)); });
}
long tipolaria_clean_imp(void) {
  return Guard([] { tipolaria::CPrint().CleanIMP(); });
}
long tipolaria_finalize(void) {
  return Guard([] { tipolaria::CPrint().Finalize(); });
}
long tipolaria_initialize_pages_data(void) {
  return Guard([] { tipolaria::CPrint().InitializePagesData(); });
}
long tipolaria_set_lock_timeout(int32_t seconds) {
  return Guard([&] { tipolaria::CPrint().SetLockTimeout(seconds); });
}

long tipolaria_set_sql_log(const char* path) {
  return Guard([&] { tipolaria::CPrint().SetSqlLog(Text(path)); });
}
const char* tipolaria_version(void) { return TIPOLARIA_VERSION; }
long tipolaria_set_oper_date(const char* date) {
  return Guard([&] { tipolaria::CPrint().SetOperDate(Text(date)); });
}

void tipolaria_set_hoja_desde(int16_t value) {
  Guard([&] { tipolaria::CPrint().SetHojaDesde(value); });
}
void tipolaria_set_hoja_hasta(int16_t value) {
  Guard([&] { tipolaria::CPrint().SetHojaHasta(value); });
}
char* tipolaria_get_hoja_desde(void) {
  return GuardText([] { return tipolaria::CPrint().GetHojaDesde(); });
}
char* tipolaria_get_hoja_hasta(void) {
  return GuardText([] { return tipolaria::CPrint().GetHojaHasta(); });
}

long tipolaria_set_copias(int16_t value) {
  return Guard([&] { tipolaria::CPrint().SetCopias(value); });
}
char* tipolaria_get_copias(void) {
  return GuardText([] { return tipolaria::CPrint().GetCopias(); });
}
long tipolaria_set_caratula_hojas(int16_t value) {
  return Guard([&] { tipolaria::CPrint().SetCaratulaHojas(value); });
}
char* tipolaria_get_caratula_hojas(void) {
  return GuardText([] { return tipolaria::CPrint().GetCaratulaHojas(); });
}
long tipolaria_set_referencia_cliente(const char* value) {
  return Guard([&] { tipolaria::CPrint().SetReferenciaCliente(Text(value)); });
}
char* tipolaria_get_referencia_cliente(void) {
  return GuardText([] { return tipolaria::CPrint().GetReferenciaCliente(); });
}

char* tipolaria_generate_imp(const char* nombre_despachante, const char* iddtext,
                             const char* idorig, const char* fecofi, int16_t oper,
                             const char* canal, const char* ramo, const char* morado,
                             const char* org, const char* eta) {
  return GuardText([&] {
    return tipolaria::CPrint().GenerateIMP(Text(nombre_despachante), Text(iddtext), Text(idorig),
                                           Text(fecofi), oper, Text(canal), Text(ramo),
                                           Text(morado), Text(org), Text(eta));
  });
}

char* tipolaria_print_pdf_caratula(const char* path) {
  return GuardText([&] { return tipolaria::CPrint().PrintPDFCaratula(Text(path)); });
}
char* tipolaria_print_pdf_sub_items(const char* path) {
  return GuardText([&] { return tipolaria::CPrint().PrintPDFSubItems(Text(path)); });
}
void tipolaria_set_logo(const char* png_path) {
  Guard([&] { tipolaria::CPrint().SetLogo(Text(png_path)); });
}

const char* tipolaria_last_error_source(void) { return Last().source.c_str(); }
const char* tipolaria_last_error_description(void) { return Last().description.c_str(); }

void tipolaria_free(char* text) { std::free(text); }

}  // extern "C"
