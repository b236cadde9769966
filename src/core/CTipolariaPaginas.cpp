// The driver's writers of the rows every page carries: the page number and
// the page header.
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

void CTipolaria::EjecutarInsertImp(CDataBase& db, std::int32_t page, std::int16_t tipo,
                                   const std::string& field, const std::string& value) {
  Trap("CTipolaria.EjecutarInsertImp", [&] { InsertImpRow(db, page, tipo, field, value); });
}

void CTipolaria::NumerarPaginas(CDataBase& db, std::int32_t total, std::int16_t caratula_hojas) {
  Trap("CTipolaria.NumerarPaginas", [&] {
    for (std::int32_t n = 1; n <= total; ++n) {
      // The page counter is a 16-bit integer: past page 32767 numbering
      // overflows instead of wrapping.
      const std::int16_t page = CheckedInt16(n);
      InsertImpRow(db, page, PageType(page, caratula_hojas), "4",
                   std::to_string(page) + " de " + std::to_string(total));
    }
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
    for (std::int32_t n = 1; n <= total; ++n) {
      const std::int16_t tipo = PageType(n, caratula_hojas);
      EjecutarInsertImp(db, n, tipo, "1", aduana);
      EjecutarInsertImp(db, n, tipo, "2", fecha);
      EjecutarInsertImp(db, n, tipo, "3", grupos);
      EjecutarInsertImp(db, n, tipo, "QOR1", ReferenciaCliente);
      EjecutarInsertImp(db, n, tipo, "149", subregimen);
    }
  });
}

}  // namespace tipolaria
