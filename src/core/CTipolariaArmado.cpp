// The middle of a generation, between the cover's load and its save: one item
// page for every item after the first, and the continuation pages.
#include "common/UtilFnc.hpp"
#include "core/CTipolaria.hpp"
#include "data/SqlText.hpp"
#include "loaders/items/CImpCarItem.hpp"
#include "runtime/Convert.hpp"

namespace tipolaria {

void CTipolaria::ArmarItemsYContinuacion(CDataBase& db, const Recordset& header,
                                         const std::string& iddt, const std::string& fec_ofi) {
  CImpCarItem item_page;
  item_page.BaseDeDatos(db);

  Recordset items;
  if (db.GetRs("SELECT * FROM art WHERE iddt = '" + DoubleQuotes(iddt) + "' ORDER BY nart",
               items)) {
    for (; !items.AtEnd(); items.MoveNext()) {
      // The item numbered 0001 is printed on the cover; each other item gets
      // the page the counter holds when it is reached.
      if (ValorTexto(items.Field("nartext")) != "0001") {
        const std::int32_t pagina = TotalHojas;
        item_page.CargarDatosItem(iddt, ImpExp, items, LiquidacionImpresa, pagina);
        item_page.CargarPie(header, Oper, Canal, Morado, Rotulo, Ramo, fec_ofi);
        // Item pages are numbered in 16 bits: past page 32767 the save
        // overflows instead of writing a wrapped page number.
        item_page.GuardarDatos(CheckedInt16(pagina));
        item_page.LimpiarColCampos();
      }
      // An item without a number cannot be followed on the continuation
      // pages: a Null nart ends the generation (invalid use of Null).
      [[maybe_unused]] const std::string nart = ValueToText(items.Field("nart"));
      TotalHojas = CheckedInt32(std::int64_t{TotalHojas} + 1);
    }
  }
  items.Close();

  // The counter ends one above the last item page: bring it back, and the
  // pages of type 0 end there.
  if (TotalHojas > 1) TotalHojas = TotalHojas - 1;
  CaratulaHojas = CheckedInt16(TotalHojas);
}

}  // namespace tipolaria
