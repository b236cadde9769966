// The middle of a generation, between the cover's load and its save: one item
// page for every item after the first, the continuation sections gathered
// item by item and for the whole declaration, and the continuation pages
// with their footers after the last item page.
#include "common/UtilFnc.hpp"
#include "core/CTipolaria.hpp"
#include "data/SqlText.hpp"
#include "loaders/complementary/CImpComp.hpp"
#include "loaders/items/CImpCarItem.hpp"
#include "runtime/Convert.hpp"

namespace tipolaria {

void CTipolaria::ArmarItemsYContinuacion(CDataBase& db, const Recordset& header,
                                         const std::string& iddt, const std::string& fec_ofi) {
  CImpCarItem item_page;
  item_page.BaseDeDatos(db);
  CImpComp comp;
  comp.BaseDeDatos(db);
  comp.CargarIdal(iddt, Idal);

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
        item_page.GuardarDatos(CheckedPageNumber(pagina));
        item_page.LimpiarColCampos();
      }
      // The per-item sections are gathered for every item, the first one
      // included. An item without a number cannot be followed there: a Null
      // nart ends the generation (invalid use of Null).
      const std::string nart = ValueToText(items.Field("nart"));
      comp.CargarCancelaciones(iddt, nart);
      comp.CargarSubItems(iddt, nart);
      comp.CargarCodProd(iddt, nart);
      comp.CargarCupos(iddt, nart, ValorTexto(items.Field("Lista")));
      comp.CargarCTC(iddt, nart);
      TotalHojas = CheckedInt32(std::int64_t{TotalHojas} + 1);
    }
  }
  items.Close();
  comp.CargarTerceros(iddt);

  // The counter ends one above the last item page: bring it back, and the
  // pages of type 0 end there.
  if (TotalHojas > 1) TotalHojas = TotalHojas - 1;
  CaratulaHojas = CheckedPageNumber(TotalHojas);

  comp.CargarIBrutos(iddt);
  comp.CargarCPL(iddt);
  // The continuation pages follow the last item page; the counter ends at
  // the last of them.
  comp.GuardarDatos(TotalHojas);
  comp.CargarPie(Oper == 0 ? Rotulo : Rotulo + "    " + fec_ofi, TotalHojas, CaratulaHojas);
}

}  // namespace tipolaria
