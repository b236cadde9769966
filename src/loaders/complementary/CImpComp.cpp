// The page model of the continuation pages: writing the sections, their
// ranges and the footer.
#include "loaders/complementary/CImpComp.hpp"

#include "common/ItemQuestions.hpp"
#include "data/SqlText.hpp"
#include "data/Transaction.hpp"
#include "imp/ImpTable.hpp"
#include "loaders/fields/LoaderSupport.hpp"
#include "runtime/Convert.hpp"
#include "runtime/Strings.hpp"
#include "runtime/Trap.hpp"

namespace tipolaria {
namespace {

// Body lines go to fields c5 to c65: 61 lines a page.
constexpr std::int32_t kPrimeraLinea = 5;
constexpr std::int32_t kFinDePagina = 66;
constexpr std::int16_t kTipoContinuacion = 1;

}  // namespace

CDataBase& CImpComp::Db() const { return detail::RequireDatabase(db_); }

void CImpComp::Agregar(Seccion seccion, std::string nombre, std::string valor, int numero) {
  secciones_[seccion].Add(std::move(nombre), std::move(valor), std::to_string(numero));
}

bool CImpComp::ReadItemRow(const std::string& iddt, const std::string& nart,
                           const std::vector<ItemCondition>& condiciones, Recordset& art) const {
  ItemQuery query = FilaDelItem(iddt, nart);
  query.item.insert(query.item.end(), condiciones.begin(), condiciones.end());
  return Db().GetItemRs(query, art);
}

bool CImpComp::GuardarDatos(std::int32_t& pagina) {
  // The cover class's name is the source this save has always reported.
  return Trap("CImpCaratula.GuardarDatos", [&] {
    bool vacio = true;
    for (const CColImp& lineas : secciones_) vacio = vacio && lineas.Count() == 0;
    if (vacio) return true;

    std::int32_t p = pagina;
    RunInTransaction(Db(), [&] {
      std::vector<ImpRow> rows;
      for (int s = 0; s < kSecciones; ++s) {
        if (secciones_[s].Count() == 0) {
          desde_[s] = 0;
          hasta_[s] = 0;
          continue;
        }
        // Every section opens a page of its own. The ranges are 16-bit: a
        // page past 32767 is an overflow, never a wrapped number.
        p = CheckedInt32(std::int64_t{p} + 1);
        desde_[s] = CheckedPageNumber(p);
        InsrtImp(p, secciones_[s], rows);
        hasta_[s] = CheckedPageNumber(p);
      }
      // Every section's lines in one request; a failure reports as the
      // write of a section always has.
      Trap("CImpComp.InsrtImp", [&] { EjecutarInsertImp(rows); });
    });
    pagina = p;
    return true;
  });
}

void CImpComp::InsrtImp(std::int32_t& pagina, const CColImp& lineas, std::vector<ImpRow>& rows) {
  Trap("CImpComp.InsrtImp", [&] {
    std::int32_t linea = kPrimeraLinea;
    for (const CImp& l : lineas) {
      // A blank line takes no field: the next line closes the gap.
      if (Trim(l.Valor).empty()) continue;
      if (linea >= kFinDePagina) {
        pagina = CheckedInt32(std::int64_t{pagina} + 1);
        linea = kPrimeraLinea;
      }
      rows.push_back({pagina, kTipoContinuacion, std::to_string(linea), l.Valor});
      ++linea;
    }
  });
}

void CImpComp::EjecutarInsertImp(const std::vector<ImpRow>& rows) {
  Trap("CImpComp.EjecutarInsertImp", [&] { InsertImpRows(Db(), rows); });
}

bool CImpComp::CargarPie(const std::string& texto, std::int32_t hasta, std::int16_t desde) {
  return Trap("CImpComp.CargarPie", [&] {
    // The footer goes on continuation pages only, whose numbers are 16-bit:
    // a last page past that range fails before any footer is written.
    if (hasta > desde) CheckedPageNumber(hasta);
    // Written even when the text is empty, so every continuation page has
    // its footer row; every page's footer in one request.
    std::vector<ImpRow> rows;
    for (std::int32_t n = std::int32_t{desde} + 1; n <= hasta; ++n) {
      rows.push_back({n, kTipoContinuacion, "150", texto});
    }
    InsertImpPageRows(Db(), kTipoContinuacion, rows);
    return true;
  });
}

}  // namespace tipolaria
