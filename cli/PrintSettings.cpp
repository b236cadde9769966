#include "PrintSettings.hpp"

#include <CLI/CLI.hpp>

#include <limits>

#include "WholeNumber.hpp"

namespace tipolaria::cli {

void AddPrintSettings(CLI::App& c, PrintSettings& s, bool with_range) {
  // The component's settings are 16-bit numbers.
  const CLI::Validator int16 = WholeNumber(std::numeric_limits<std::int16_t>::min(),
                                           std::numeric_limits<std::int16_t>::max());
  c.add_option("--copias", s.copias, "Copy number printed on the pages")->transform(int16);
  if (!with_range) return;
  c.add_option("--caratula-hojas", s.caratula_hojas, "Last page of the cover report")
      ->transform(int16);
  c.add_option("--desde", s.desde, "First page of the print range")->transform(int16);
  c.add_option("--hasta", s.hasta, "Last page of the print range (default: the last page)")
      ->transform(int16);
}

void ApplyPrintSettings(Session& print, const PrintSettings& s) {
  print.SetHojaDesde(0);
  print.SetHojaHasta(0);
  if (s.copias) print.SetCopias(*s.copias);
  if (s.caratula_hojas) print.SetCaratulaHojas(*s.caratula_hojas);
}

void ApplyPrintRange(Session& print, const PrintSettings& s) {
  print.SetHojaDesde(s.desde.value_or(0));
  // Without --hasta the prints run to the last page (the reports stop at
  // the first page without rows).
  print.SetHojaHasta(s.hasta.value_or(std::numeric_limits<std::int16_t>::max()));
}

}  // namespace tipolaria::cli
