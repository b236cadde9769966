#include "PrintSettings.hpp"

#include <limits>

namespace tipolaria::cli {

void AddPrintSettings(CLI::App& c, PrintSettings& s, bool with_range) {
  c.add_option("--copias", s.copias, "Copy number printed on the pages");
  if (!with_range) return;
  c.add_option("--caratula-hojas", s.caratula_hojas, "Last page of the cover report");
  c.add_option("--desde", s.desde, "First page of the print range");
  c.add_option("--hasta", s.hasta, "Last page of the print range (default: the last page)");
}

void ApplyPrintSettings(CPrint& print, const PrintSettings& s) {
  print.SetHojaDesde(s.desde.value_or(0));
  print.SetHojaHasta(s.hasta.value_or(0));
  if (s.copias) print.SetCopias(*s.copias);
  if (s.caratula_hojas) print.SetCaratulaHojas(*s.caratula_hojas);
}

void OpenRangeEnd(CPrint& print, const PrintSettings& s) {
  if (!s.hasta) print.SetHojaHasta(std::numeric_limits<std::int16_t>::max());
}

}  // namespace tipolaria::cli
