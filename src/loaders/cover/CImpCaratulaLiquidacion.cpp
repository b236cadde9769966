// The tax settlement grid of the cover and its index. Each grid row spans six
// fields r .. r+5 from r = 71: item coefficient, item type, item amount,
// concept, declaration type, declaration amount. The declaration level fills
// the concepts (field 74 + 6k) and records each in the settlement index; the
// item level puts the first item's values beside the concept of the same tax.
#include "common/UtilFnc.hpp"
#include "data/SqlText.hpp"
#include "loaders/cover/CImpCaratula.hpp"
#include "loaders/cover/CoverText.hpp"
#include "runtime/Convert.hpp"
#include "runtime/Format.hpp"
#include "runtime/Strings.hpp"
#include "runtime/Trap.hpp"

namespace tipolaria {
namespace {

constexpr const char* kMonto = "#,##0.00";
// The declaration level stops before field 146, which with 147 and 148 holds
// its overflow marks; the item level stops at 125, where its marks go.
constexpr int kFinConceptos = 146;
constexpr int kFinItem = 125;
// The last field of the grid's tenth row; below it the item columns are
// boxes of totals.
constexpr int kUltimaFilaItem = 130;
// Index entries: the tax code padded to this width, then the field number.
constexpr std::int32_t kAnchoCodigo = 10;

std::string Nombre(const char* prefijo, int campo) { return prefijo + std::to_string(campo); }

std::string Motivo(const std::string& motivo) { return motivo.empty() ? "" : " (" + motivo + ")"; }

}  // namespace

void CImpCaratula::AgregarConcepto(const std::string& codigo, const std::string& concepto,
                                   const std::string& tipo, const Value& monto, int& p) {
  col_liq_.push_back(Left(codigo + Space(kAnchoCodigo), kAnchoCodigo) + std::to_string(p));
  Agregar(Nombre("Conceptos", p), concepto, p);
  Agregar(Nombre("Conceptos", p + 1), tipo, p + 1);
  Agregar(Nombre("Conceptos", p + 2), Format(monto, kMonto), p + 2);
  p += 6;
}

bool CImpCaratula::CargarLiquidacion(const std::string& iddt, const std::string& /*nart*/,
                                     std::int16_t oper, const std::string& cddtstudev,
                                     bool& liquidacion_impresa) {
  return Trap("CImpCaratula.CargarLiquidacion", [&] {
    CDataBase& db = Db();
    const std::string id = DoubleQuotes(iddt);
    std::string fecha = db.OperDate();
    const std::string d = db.DBDate(fecha);
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

    int p = 74;
    // Whether a concept is left out: the grid filled up with rows to spare.
    bool quedan = false;
    for (; !lit.AtEnd() && p < kFinConceptos; lit.MoveNext()) {
      const std::string codigo = detail::Texto(lit, "clittax");
      AgregarConcepto(codigo,
                      "( " + codigo + " ) " + db.NatLNat("CODTAX", codigo) +
                          Motivo(detail::Texto(lit, "clitmot")),
                      detail::Texto(lit, "clittyp"), lit.Field("mlit"), p);
    }
    quedan = !lit.AtEnd();
    lit.Close();
    for (; !jrd.AtEnd() && p < kFinConceptos; jrd.MoveNext()) {
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
      for (; !rs.AtEnd() && p < kFinConceptos; rs.MoveNext()) {
        const std::string codigo = detail::Texto(rs, columna_codigo);
        AgregarConcepto(codigo, "( " + codigo + " ) " + db.NatLNat("CODTAX", codigo),
                        db.PtrCNat("TIPTAX", 2), rs.Field(columna_monto), p);
      }
    };
    if (p < kFinConceptos) a_cobrar(bnf, "cbnftax", "mbnf");
    quedan = quedan || !bnf.AtEnd();
    bnf.Close();
    // With the grid already full, drawback is read only to learn whether it
    // is left out.
    if (p < kFinConceptos || !quedan) {
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
      Agregar("Conceptos146", std::string(28, '.'), 146);
      Agregar("Conceptos147", "...", 147);
      Agregar("Conceptos148", "...", 148);
    }
    return true;
  });
}

void CImpCaratula::TotalesLiqItem(const std::string& iddt, const std::string& nart) {
  Trap("CImpCaratula.TotalesLiqItem", [&] {
    CDataBase& db = Db();
    const std::string id = DoubleQuotes(iddt);
    const std::string art = DoubleQuotes(nart);
    Recordset rs;
    const auto total_lqa = [&](const char* tipo) {
      std::string valor = "0,00";
      if (db.GetRs("SELECT SUM(mlqa) FROM LQA WHERE iliq = '" + id + "' AND nart = '" + art +
                       "' AND clqatyp = '" + tipo + "'",
                   rs)) {
        valor = Format(ValorDecimal(rs.Field(std::size_t{0})), kMonto);
      }
      rs.Close();
      return valor;
    };
    Agregar("PagadoLiq", total_lqa("P"), 131);
    Agregar("GarantizadoLiq", total_lqa("G"), 132);

    Decimal a_cobrar;
    if (db.GetRs("SELECT SUM(mbnf) FROM BNF WHERE ibnf = '" + id + "' AND nart = '" + art + "'",
                 rs)) {
      a_cobrar = ValorDecimal(rs.Field(std::size_t{0}));
    }
    rs.Close();
    if (db.GetRs(
            "SELECT SUM(mdbktax) FROM DBK WHERE idbk = '" + id + "' AND ndbkarte = '" + art + "'",
            rs)) {
      a_cobrar += ValorDecimal(rs.Field(std::size_t{0}));
    }
    rs.Close();
    Agregar("ACobrarLiq", Format(a_cobrar, kMonto), 133);
  });
}

bool CImpCaratula::CargarLiqItem(const std::string& iddt, bool liquidacion_impresa,
                                 const std::string& nart) {
  return Trap("CImpCaratula.CargarLiqItem", [&] {
    CDataBase& db = Db();
    const std::string id = DoubleQuotes(iddt);
    const std::string art = DoubleQuotes(nart);
    TotalesLiqItem(iddt, nart);

    // With the declaration level printed, the item's values go beside the
    // concept of the same tax, found in the index (and removed from it, so a
    // second row of that tax goes beside the next such concept). Without it,
    // the item's rows fill the grid in order with their own concepts; the
    // counter starts 3 fields before the first coefficient (71) on purpose,
    // since each row first advances it by 3.
    //
    // Beside a concept, a tax row fits in the grid's first nine rows: the
    // item columns of the tenth (125 to 127) take the overflow marks, and
    // those below it are the boxes of the item totals (131 to 133) and of
    // the declaration's (137 to 139). A row whose concept lies further down
    // ends the placing, as one beside the tenth does; it is never written
    // over a total, which would then print wrong. `sin_lugar` keeps the marks
    // up even when a later drawback row moves the counter back.
    int q = liquidacion_impresa ? 71 : 68;
    bool sin_lugar = false;
    const auto fila = [&](const std::string& codigo, const Value& coeficiente,
                          const std::string& tipo, const Value& monto) {
      std::string entrada = Trim(codigo);
      if (liquidacion_impresa) {
        std::int32_t posicion = 1;
        if (!BuscarEnColeccion(entrada, col_liq_, kAnchoCodigo, posicion)) return true;
        col_liq_.erase(col_liq_.begin() + (posicion - 1));
        q = ValueToInt16(Value(Right(entrada, 3))) - 3;
        if (q >= kFinItem) {
          sin_lugar = true;
          return false;
        }
      } else {
        q += 3;
      }
      Agregar(Nombre("LiqItem", q), Format(ValorDecimal(coeficiente), kMonto), q);
      Agregar(Nombre("LiqItem", q + 1), tipo, q + 1);
      Agregar(Nombre("LiqItem", q + 2), Format(monto, kMonto), q + 2);
      if (!liquidacion_impresa) {
        q += 3;
        Agregar(Nombre("LiqItem", q), "( " + entrada + " ) " + db.NatLNat("CODTAX", entrada), q);
      }
      return true;
    };

    Recordset rs;
    db.GetRs("SELECT qlqacoefic, clqatyp, mlqa, clqatax FROM LQA WHERE iliq = '" + id +
                 "' AND nart = '" + art + "'",
             rs);
    for (; !rs.AtEnd() && q < kFinItem; rs.MoveNext()) {
      if (!fila(detail::Texto(rs, "clqatax"), rs.Field("qlqacoefic"), detail::Texto(rs, "clqatyp"),
                rs.Field("mlqa"))) {
        break;
      }
    }
    rs.Close();

    db.GetRs("SELECT mbnfcoefic, mbnf, cbnftax FROM BNF WHERE ibnf = '" + id + "' AND nart = '" +
                 art + "'",
             rs);
    for (; !rs.AtEnd() && q < kFinItem; rs.MoveNext()) {
      if (!fila(detail::Texto(rs, "cbnftax"), rs.Field("mbnfcoefic"), db.PtrCNat("TIPTAX", 2),
                rs.Field("mbnf"))) {
        break;
      }
    }
    rs.Close();

    db.GetRs("SELECT cdbktax, SUM(mdbktax) AS SUMA FROM DBK WHERE idbk = '" + id +
                 "' AND ndbkarte = '" + art + "' AND " +
                 "(cdbktax = '630' OR cdbktax = '632') GROUP BY cdbktax",
             rs);
    if (liquidacion_impresa) {
      // Drawback goes beside its concept, in the type and amount columns,
      // whether or not the rows before it ran out of room. The index entry
      // stays: drawback has no further row to place. Without a coefficient
      // it fits beside the tenth concept too (126, 127; the marks replace it
      // when they come), but not below, among the totals.
      for (; !rs.AtEnd(); rs.MoveNext()) {
        std::string entrada = Trim(detail::Texto(rs, "cdbktax"));
        std::int32_t posicion = 1;
        if (!BuscarEnColeccion(entrada, col_liq_, kAnchoCodigo, posicion)) continue;
        const int campo = ValueToInt16(Value(Right(entrada, 3))) - 2;
        if (campo > kUltimaFilaItem) {
          sin_lugar = true;
          continue;
        }
        q = campo;
        Agregar(Nombre("LiqItem", q), db.PtrCNat("TIPTAX", 2), q);
        Agregar(Nombre("LiqItem", q + 1), Format(rs.Field("SUMA"), kMonto), q + 1);
      }
    } else {
      // Placed as the item pages place drawback, so that the cover and the
      // item pages agree: counter raised to 70, then type and amount two
      // fields further on for each row, not limited by 125. After a tenth
      // row they would land in the boxes of the item totals: they are left
      // out there, under the marks that a tenth row brings.
      if (q < 70) q = 70;
      for (; !rs.AtEnd(); rs.MoveNext()) {
        if (q + 3 > kUltimaFilaItem) {
          sin_lugar = true;
          break;
        }
        q += 2;
        Agregar(Nombre("LiqItem", q), db.PtrCNat("TIPTAX", 2), q);
        q += 1;
        Agregar(Nombre("LiqItem", q), Format(rs.Field("SUMA"), kMonto), q);
      }
    }
    rs.Close();

    if (q >= kFinItem || sin_lugar) {
      Agregar("LiqItem125", "...", 125);
      Agregar("LiqItem126", "...", 126);
      Agregar("LiqItem127", "...", 127);
    }
    return true;
  });
}

}  // namespace tipolaria
