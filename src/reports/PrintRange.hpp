// What a print operation hands the rendering stage besides the database:
// the page range (HojaDesde, HojaHasta), the driver's CaratulaHojas and
// NumeroCopias, the logo to draw in the image box, and the rows of IMP when
// the print does not read the table itself.
#ifndef TIPOLARIA_REPORTS_PRINTRANGE_HPP_
#define TIPOLARIA_REPORTS_PRINTRANGE_HPP_

#include <cstdint>
#include <memory>
#include <string>

#include "data/Recordset.hpp"

namespace tipolaria {

struct PrintRange {
  std::int16_t hoja_desde = 1;
  std::int16_t hoja_hasta = 1;
  std::int16_t caratula_hojas = 1;
  std::int16_t numero_copias = 1;
  // A PNG file drawn scaled into the layout's image box; empty leaves the
  // box empty.
  std::string logo_png;
  // A folder in which each printed page is also written as a PNG picture
  // named after the PDF (`cover.pdf` page 2 gives `cover-002.png`); empty
  // writes none.
  std::string png_folder;
  // The rows of IMP to print from, as ReadImpTable gives them (a session's
  // own snapshot of its generation); none reads the table.
  std::shared_ptr<const Recordset> imp_rows;
};

// Which layout a print renders: the cover and item pages (IMP TIPO 0) or
// the continuation pages (TIPO 1).
enum class ReportKind { kCaratula, kSubItems };

}  // namespace tipolaria

#endif  // TIPOLARIA_REPORTS_PRINTRANGE_HPP_
