// The declaration level of the cover's settlement grid (see SettlementGrid.hpp):
// the concepts (field 74 + 6k) and the settlement index.
#include "common/UtilFnc.hpp"
#include "data/SqlText.hpp"
#include "loaders/cover/CImpCaratula.hpp"
#include "loaders/fields/LoaderSupport.hpp"
#include "loaders/fields/LoaderText.hpp"
#include "loaders/fields/SettlementGrid.hpp"
#include "runtime/Convert.hpp"
#include "runtime/Format.hpp"
#include "runtime/Strings.hpp"

namespace tipolaria {
namespace {

using Grid = detail::SettlementGrid;

std::string Motivo(const std::string& motivo) { return motivo.empty() ? "" : " (" + motivo + ")"; }

}  // namespace

void CImpCaratula::AgregarConcepto(const std::string& codigo, const std::string& concepto,
                                   const std::string& tipo, const Value& monto, int& p) {
  col_liq_.push_back(Left(codigo + Space(Grid::kCodeWidth), Grid::kCodeWidth) + std::to_string(p));
  Agregar(Grid::Label("Conceptos", p), concepto, p);
  Agregar(Grid::Label("Conceptos", p + 1), tipo, p + 1);
  Agregar(Grid::Label("Conceptos", p + 2), Format(monto, Grid::kAmount), p + 2);
  p += Grid::kRowWidth;
}

bool CImpCaratula::CargarLiquidacion(const std::string& iddt, const std::string& /*nart*/,
                                     std::int16_t oper, const std::string& cddtstudev,
                                     bool& liquidacion_impresa) {
  return detail::TrapCaratula("CargarLiquidacion", [&] {
    CDataBase& db = Db();
    const std::string id = DoubleQuotes(iddt);
    const std::string d = db.DBDate(db.OperDate());
    // Taxes listed in JRD on the operation date are summed per motive and
    // type under the single code 900 instead of printed one by one.
    const std::string vigentes = "DJRDEFF <= " + d + " AND DJRDFIN > " + d;
    Recordset lit;
    Recordset jrd;
    Recordset bnf;
    // A Null tax code in JRD would make "not in" fail for every tax, and the
    // cover would silently lose all the concepts printed one by one.
    const bool hay_lit = db.GetRs("SELECT clittax, clitmot, clittyp, mlit FROM LIT WHERE iliq = '" +
                                      id + "' and clittax not in (select cjrdtax from jrd WHERE " +
                                      vigentes + " AND cjrdtax IS NOT NULL )",
                                  lit);
    const bool hay_jrd =
        db.GetRs("SELECT 900, clitmot, clittyp, sum(mlit) mlit FROM LIT WHERE iliq = '" + id +
                     "' and clittax in(select cjrdtax from jrd WHERE " + vigentes +
                     " ) group by clitmot, clittyp",
                 jrd);
    const bool hay_bnf =
        db.GetRs("SELECT cbnftax, mbnf FROM BNF WHERE ibnf = '" + id + "' AND nart = '0000'", bnf);

    // A declaration not yet settled (status "I") prints no settlement at all,
    // unless the print was asked for with a channel mode.
    if (cddtstudev == "I" && !hay_lit && !hay_jrd && !hay_bnf && oper == 0) {
      liquidacion_impresa = false;
      lit.Close();
      jrd.Close();
      bnf.Close();
      return true;
    }

    int p = Grid::kFirstConcept;
    // Whether a concept is left out: the grid filled up with rows to spare.
    bool quedan = false;
    for (; !lit.AtEnd() && p < Grid::kConceptMarks; lit.MoveNext()) {
      const std::string codigo = detail::Texto(lit, "clittax");
      AgregarConcepto(codigo,
                      "( " + codigo + " ) " + db.NatLNat("CODTAX", codigo) +
                          Motivo(detail::Texto(lit, "clitmot")),
                      detail::Texto(lit, "clittyp"), lit.Field("mlit"), p);
    }
    quedan = !lit.AtEnd();
    lit.Close();
    for (; !jrd.AtEnd() && p < Grid::kConceptMarks; jrd.MoveNext()) {
      AgregarConcepto(
          "900", "( 900 ) " + db.NatLNat("CODTAX", "900") + Motivo(detail::Texto(jrd, "clitmot")),
          detail::Texto(jrd, "clittyp"), jrd.Field("mlit"), p);
    }
    quedan = quedan || !jrd.AtEnd();
    jrd.Close();

    // Reimbursements and drawback are amounts to collect: their type is the
    // letter numbered 2 of "TIPTAX".
    const auto a_cobrar = [&](Recordset& rs, const char* columna_codigo,
                              const char* columna_monto) {
      for (; !rs.AtEnd() && p < Grid::kConceptMarks; rs.MoveNext()) {
        const std::string codigo = detail::Texto(rs, columna_codigo);
        AgregarConcepto(codigo, "( " + codigo + " ) " + db.NatLNat("CODTAX", codigo),
                        db.PtrCNat("TIPTAX", 2), rs.Field(columna_monto), p);
      }
    };
    if (p < Grid::kConceptMarks) a_cobrar(bnf, "cbnftax", "mbnf");
    quedan = quedan || !bnf.AtEnd();
    bnf.Close();
    // With the grid already full, drawback is read only to learn whether it
    // is left out.
    if (p < Grid::kConceptMarks || !quedan) {
      Recordset dbk;
      db.GetRs("SELECT cdbktax, mdbktax FROM DBK WHERE idbk = '" + id +
                   "' AND ndbkarte = '0000' AND (cdbktax = '630' or cdbktax = '632')",
               dbk);
      a_cobrar(dbk, "cdbktax", "mdbktax");
      quedan = quedan || !dbk.AtEnd();
      dbk.Close();
    }

    // The marks say that concepts are missing from the grid: a declaration of
    // exactly twelve concepts fills it and gets none.
    if (quedan) {
      const int marca = Grid::kConceptMarks;
      Agregar(Grid::Label("Conceptos", marca), std::string(28, '.'), marca);
      Agregar(Grid::Label("Conceptos", marca + 1), "...", marca + 1);
      Agregar(Grid::Label("Conceptos", marca + 2), "...", marca + 2);
    }
    return true;
  });
}

}  // namespace tipolaria
