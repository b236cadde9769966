// Request bodies as clients send them to the print service's POST
// /v1/prints: any bytes. Refusing them with a FieldError is the sound
// answer; an order the reading accepts must hold what the service promises
// the session: a declaration, a kind of print of the four, numbers within
// their ranges, texts of at most 255 characters without NUL.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "serve/PrintOrder.hpp"

namespace {

void Check(bool holds) {
  if (!holds) std::abort();
}

void CheckText(const std::string& text) {
  std::size_t characters = 0;
  for (const char c : text) characters += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
  Check(characters <= 255 && text.find('\0') == std::string::npos);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using tipolaria::serve::PrintOrder;
  const std::string_view body(reinterpret_cast<const char*>(data), size);
  try {
    const PrintOrder order = tipolaria::serve::ReadPrintOrder(body);
    Check(order.iddtext.find_first_not_of(' ') != std::string::npos);
    CheckText(order.iddtext);
    const auto& g = order.generation;
    for (const std::string* text : {&g.idorig, &g.fecofi, &g.canal, &g.ramo, &g.morado, &g.org,
                                    &g.eta, &g.nombre_despachante}) {
      CheckText(*text);
    }
    Check(g.oper == 0 || g.oper == 1 || g.oper == 4 || g.oper == 5);
    const auto& s = order.settings;
    Check(!s.copias || *s.copias >= 0);
    Check(!s.desde || *s.desde >= 1);
    Check(!s.hasta || *s.hasta >= 1);
    Check(!s.desde || !s.hasta || *s.desde <= *s.hasta);
    Check(!s.caratula_hojas);
  } catch (const tipolaria::serve::FieldError& e) {
    Check(!e.field().empty());
  }
  return 0;
}
