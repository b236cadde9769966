// The item level of the settlement grid, on the cover and on the item pages:
// an item's taxes, reimbursements and drawback beside the concepts, and the
// item's totals (131 to 133).
#include <optional>
#include <utility>

#include "common/ItemQuestions.hpp"
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

using Grid = detail::SettlementGrid;

// The field of the concept of tax `codigo` in the settlement index (the
// entry's last three characters), or none. With `tomar` the entry is taken
// out, so that a second row of that tax goes beside the next such concept.
std::optional<int> CampoDelConcepto(const std::string& codigo, std::vector<std::string>& indice,
                                    bool tomar) {
  std::string entrada = codigo;
  std::int32_t posicion = 1;
  if (!BuscarEnColeccion(entrada, indice, Grid::kCodeWidth, posicion)) return std::nullopt;
  if (tomar) indice.erase(indice.begin() + (posicion - 1));
  return ValueToInt16(Value(Right(entrada, 3)));
}

// One tax row of the item: the columns of its code, coefficient and amount,
// and of its type (none: the type is the letter numbered 2 of "TIPTAX").
struct FilaImpuesto {
  const char* codigo;
  const char* coeficiente;
  const char* tipo;
  const char* monto;
};

}  // namespace

void ItemFields::TotalesLiqItem(const std::string& iddt, const std::string& nart) {
  detail::TrapCaratula("TotalesLiqItem", [&] {
    CDataBase& db = db_;
    const std::string id = DoubleQuotes(iddt);
    Recordset rs;
    const auto total_lqa = [&](const char* tipo) {
      std::string valor = "0,00";
      if (db.GetItemRs({"SELECT SUM(mlqa) FROM LQA WHERE iliq = '" + id + "'",
                        {{"nart", nart}, {"clqatyp", tipo}},
                        "",
                        true},
                       rs)) {
        valor = Format(ValorDecimal(rs.Field(std::size_t{0})), Grid::kAmount);
      }
      rs.Close();
      return valor;
    };
    Agregar("PagadoLiq", total_lqa("P"), 131);
    Agregar("GarantizadoLiq", total_lqa("G"), 132);

    Decimal a_cobrar;
    if (db.GetItemRs(SumaBeneficios(iddt, nart), rs)) {
      a_cobrar = ValorDecimal(rs.Field(std::size_t{0}));
    }
    rs.Close();
    if (db.GetItemRs(SumaDrawback(iddt, nart), rs)) {
      a_cobrar += ValorDecimal(rs.Field(std::size_t{0}));
    }
    rs.Close();
    Agregar("ACobrarLiq", Format(a_cobrar, Grid::kAmount), 133);
  });
}

void ItemFields::AgregarColumnasItem(int campo, const Value& coeficiente, const std::string& tipo,
                                     const Value& monto) {
  Agregar(Grid::Label("LiqItem", campo), Format(ValorDecimal(coeficiente), Grid::kAmount), campo);
  Agregar(Grid::Label("LiqItem", campo + 1), tipo, campo + 1);
  Agregar(Grid::Label("LiqItem", campo + 2), Format(monto, Grid::kAmount), campo + 2);
}

bool ItemFields::CargarLiqItem(const std::string& iddt, bool liquidacion_impresa,
                               const std::string& nart, std::vector<std::string>& indice) {
  return detail::TrapCaratula("CargarLiqItem", [&] {
    CDataBase& db = db_;
    const std::string id = DoubleQuotes(iddt);
    TotalesLiqItem(iddt, nart);

    // With the declaration level printed, the item's values go beside the
    // concept of the same tax, found in the index (and taken out of it).
    // Without it, the item's rows fill the grid in order, each followed by
    // its own concept. `q` is the grid counter: the coefficient field of the
    // last row placed beside a concept, or the concept of the last row
    // placed in order.
    //
    // Beside a concept, a tax row fits in the grid's first nine rows: the
    // item columns of the tenth take the overflow marks, and those below it
    // are the boxes of the item totals and of the declaration's. A row whose
    // concept lies further down ends the placing, as one beside the tenth
    // does; it is never written over a total, which would then print wrong.
    // `sin_lugar` keeps the marks up even when a later drawback row moves the
    // counter back.
    int q = liquidacion_impresa ? Grid::kFirstRow : Grid::kInOrderStart;
    bool sin_lugar = false;

    // The item's taxes (LQA), then its reimbursements (BNF).
    const std::pair<ItemQuery, FilaImpuesto> impuestos[] = {
        {{"SELECT qlqacoefic, clqatyp, mlqa, clqatax FROM LQA WHERE iliq = '" + id + "'",
          {{"nart", nart}}},
         {"clqatax", "qlqacoefic", "clqatyp", "mlqa"}},
        {{"SELECT mbnfcoefic, mbnf, cbnftax FROM BNF WHERE ibnf = '" + id + "'", {{"nart", nart}}},
         {"cbnftax", "mbnfcoefic", nullptr, "mbnf"}},
    };
    for (const auto& [query, columnas] : impuestos) {
      Recordset rs;
      db.GetItemRs(query, rs);
      for (; !rs.AtEnd() && q < Grid::kItemMarks; rs.MoveNext()) {
        const std::string codigo = Trim(detail::Texto(rs, columnas.codigo));
        const std::string tipo =
            columnas.tipo != nullptr ? detail::Texto(rs, columnas.tipo) : db.PtrCNat("TIPTAX", 2);
        if (!liquidacion_impresa) {
          // The next row: its item columns, then its own concept.
          q += 3;
          AgregarColumnasItem(q, rs.Field(columnas.coeficiente), tipo, rs.Field(columnas.monto));
          q += 3;
          Agregar(Grid::Label("LiqItem", q), "( " + codigo + " ) " + db.NatLNat("CODTAX", codigo),
                  q);
          continue;
        }
        const std::optional<int> concepto = CampoDelConcepto(codigo, indice, /*tomar=*/true);
        if (!concepto) continue;
        q = *concepto - 3;
        if (q >= Grid::kItemMarks) {
          sin_lugar = true;
          break;
        }
        AgregarColumnasItem(q, rs.Field(columnas.coeficiente), tipo, rs.Field(columnas.monto));
      }
      rs.Close();
    }

    Recordset rs;
    db.GetItemRs({"SELECT cdbktax, SUM(mdbktax) AS SUMA FROM DBK WHERE idbk = '" + id +
                      "' AND (cdbktax = '630' OR cdbktax = '632')",
                  {{"ndbkarte", nart}},
                  "",
                  false,
                  "cdbktax"},
                 rs);
    if (liquidacion_impresa) {
      // Drawback goes beside its concept, in the type and amount columns,
      // whether or not the rows before it ran out of room. The index entry
      // stays: drawback has no further row to place. Without a coefficient
      // it fits beside the tenth concept too (126, 127; the marks replace it
      // when they come), but not below, among the totals.
      for (; !rs.AtEnd(); rs.MoveNext()) {
        const std::optional<int> concepto =
            CampoDelConcepto(Trim(detail::Texto(rs, "cdbktax")), indice, /*tomar=*/false);
        if (!concepto) continue;
        if (*concepto - 2 > Grid::kLastItemRow) {
          sin_lugar = true;
          continue;
        }
        q = *concepto - 2;
        Agregar(Grid::Label("LiqItem", q), db.PtrCNat("TIPTAX", 2), q);
        Agregar(Grid::Label("LiqItem", q + 1), Format(rs.Field("SUMA"), Grid::kAmount), q + 1);
      }
    } else {
      // Placed as the item pages place drawback, so that the cover and the
      // item pages agree: counter raised to kDrawbackStart, then type and
      // amount two fields further on for each row, not limited by the marks.
      // After a tenth row they would land in the boxes of the item totals:
      // they are left out there, under the marks that a tenth row brings.
      if (q < Grid::kDrawbackStart) q = Grid::kDrawbackStart;
      for (; !rs.AtEnd(); rs.MoveNext()) {
        if (q + 3 > Grid::kLastItemRow) {
          sin_lugar = true;
          break;
        }
        q += 2;
        Agregar(Grid::Label("LiqItem", q), db.PtrCNat("TIPTAX", 2), q);
        q += 1;
        Agregar(Grid::Label("LiqItem", q), Format(rs.Field("SUMA"), Grid::kAmount), q);
      }
    }
    rs.Close();

    if (q >= Grid::kItemMarks || sin_lugar) {
      for (int marca = Grid::kItemMarks; marca < Grid::kItemMarks + 3; ++marca) {
        Agregar(Grid::Label("LiqItem", marca), "...", marca);
      }
    }
    return true;
  });
}

}  // namespace tipolaria
