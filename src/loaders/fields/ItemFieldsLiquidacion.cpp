// The item level of the settlement grid, on the cover and on the item pages:
// an item's taxes, reimbursements and drawback beside the concepts, and the
// item's totals (131 to 133).
#include "common/UtilFnc.hpp"
#include "data/SqlText.hpp"
#include "loaders/fields/ItemFields.hpp"
#include "loaders/fields/LoaderSupport.hpp"
#include "loaders/fields/LoaderText.hpp"
#include "loaders/fields/SettlementGrid.hpp"
#include "runtime/Convert.hpp"
#include "runtime/Format.hpp"
#include "runtime/Strings.hpp"

namespace tipolaria {
namespace {

using detail::kAnchoCodigo;
using detail::NombreCampo;
constexpr const char* kMonto = detail::kMontoLiquidacion;
// The item level stops at 125, where its overflow marks go.
constexpr int kFinItem = 125;
// The last field of the grid's tenth row; below it the item columns are
// boxes of totals.
constexpr int kUltimaFilaItem = 130;

}  // namespace

void ItemFields::TotalesLiqItem(const std::string& iddt, const std::string& nart) {
  detail::TrapCaratula("TotalesLiqItem", [&] {
    CDataBase& db = db_;
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

bool ItemFields::CargarLiqItem(const std::string& iddt, bool liquidacion_impresa,
                               const std::string& nart, std::vector<std::string>& indice) {
  return detail::TrapCaratula("CargarLiqItem", [&] {
    CDataBase& db = db_;
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
        if (!BuscarEnColeccion(entrada, indice, kAnchoCodigo, posicion)) return true;
        indice.erase(indice.begin() + (posicion - 1));
        q = ValueToInt16(Value(Right(entrada, 3))) - 3;
        if (q >= kFinItem) {
          sin_lugar = true;
          return false;
        }
      } else {
        q += 3;
      }
      Agregar(NombreCampo("LiqItem", q), Format(ValorDecimal(coeficiente), kMonto), q);
      Agregar(NombreCampo("LiqItem", q + 1), tipo, q + 1);
      Agregar(NombreCampo("LiqItem", q + 2), Format(monto, kMonto), q + 2);
      if (!liquidacion_impresa) {
        q += 3;
        Agregar(NombreCampo("LiqItem", q), "( " + entrada + " ) " + db.NatLNat("CODTAX", entrada),
                q);
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
        if (!BuscarEnColeccion(entrada, indice, kAnchoCodigo, posicion)) continue;
        const int campo = ValueToInt16(Value(Right(entrada, 3))) - 2;
        if (campo > kUltimaFilaItem) {
          sin_lugar = true;
          continue;
        }
        q = campo;
        Agregar(NombreCampo("LiqItem", q), db.PtrCNat("TIPTAX", 2), q);
        Agregar(NombreCampo("LiqItem", q + 1), Format(rs.Field("SUMA"), kMonto), q + 1);
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
        Agregar(NombreCampo("LiqItem", q), db.PtrCNat("TIPTAX", 2), q);
        q += 1;
        Agregar(NombreCampo("LiqItem", q), Format(rs.Field("SUMA"), kMonto), q);
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
