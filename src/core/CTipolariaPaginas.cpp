// The driver's writers of the rows every page carries: the page number and
// the page header.
#include <algorithm>
#include <cstdint>

#include "common/DatedLookups.hpp"
#include "core/CTipolaria.hpp"
#include "imp/ImpTable.hpp"
#include "runtime/Convert.hpp"
#include "runtime/Strings.hpp"
#include "runtime/Trap.hpp"

namespace tipolaria {
namespace {

std::int16_t PageType(std::int32_t page, std::int16_t caratula_hojas) {
  return page > caratula_hojas ? 1 : 0;
}

// "Año / Ad. / Tipo / NºReg. / DC": 16001IC04000123A prints as
// "16   001   IC04   000123   A". A 16th character "@" marks a reference
// without check letter, so no fifth group is written. Shorter references keep
// the blanks of the missing groups.
std::string ReferenciaAgrupada(const std::string& referencia) {
  constexpr const char* kGap = "   ";
  std::string grouped = Mid(referencia, 1, 2) + kGap + Mid(referencia, 3, 3) + kGap +
                        Mid(referencia, 6, 4) + kGap + Mid(referencia, 10, 6);
  const std::string check = Mid(referencia, 16, 1);
  if (check != "@") grouped += kGap + check;
  return grouped;
}

}  // namespace

void CTipolaria::ClearImp(CDataBase& db) {
  Trap("CTipolaria.ClearImp", [&] { ClearImpTable(db); });
}

void CTipolaria::EjecutarInsertImp(CDataBase& db, const std::vector<ImpRow>& rows) {
  Trap("CTipolaria.EjecutarInsertImp", [&] { InsertImpRows(db, rows); });
}

void CTipolaria::NumerarPaginas(CDataBase& db, std::int32_t total, std::int16_t caratula_hojas) {
  Trap("CTipolaria.NumerarPaginas", [&] {
    // Every page's number in one request. The page counter is a 16-bit
    // integer: past page 32767 numbering overflows instead of wrapping,
    // after the pages before it were numbered.
    const std::int32_t numbered = std::min<std::int32_t>(total, INT16_MAX);
    std::vector<ImpRow> rows;
    for (std::int32_t n = 1; n <= numbered; ++n) {
      rows.push_back({n, PageType(n, caratula_hojas), "4",
                      std::to_string(n) + " de " + std::to_string(total)});
    }
    InsertImpRows(db, rows);
    if (total > numbered) CheckedPageNumber(numbered + 1);
  });
}

void CTipolaria::CargarEncabezados(CDataBase& db, const std::string& referencia,
                                   const std::string& ista, const std::string& fec_ofi,
                                   const std::string& cddtbur, std::int32_t total,
                                   std::int16_t caratula_hojas) {
  Trap("CTipolaria.CargarEncabezados", [&] {
    const std::string aduana = DescripcionVigente(db, kTablaAduana, cddtbur);
    const std::string fecha = Left(fec_ofi, 10);
    const std::string grupos = ReferenciaAgrupada(referencia);
    const std::string subregimen = DescripcionVigente(db, kTablaSubregimen, ista);
    // The five header fields of every page, page after page, in one request.
    std::vector<ImpRow> rows;
    for (std::int32_t n = 1; n <= total; ++n) {
      const std::int16_t tipo = PageType(n, caratula_hojas);
      for (const auto& [campo, valor] : {std::pair<const char*, const std::string&>{"1", aduana},
                                         {"2", fecha},
                                         {"3", grupos},
                                         {"QOR1", ReferenciaCliente},
                                         {"149", subregimen}}) {
        rows.push_back({n, tipo, campo, valor});
      }
    }
    EjecutarInsertImp(db, rows);
  });
}

}  // namespace tipolaria
