// CImpCarItem: the loader of the item pages. Every item of a declaration
// after the first gets a page of type 0 with the layout of the cover's item
// part; this class fills one such page at a time from the item's ART row,
// with the very field loaders, numbers, labels and formats of the cover
// (ItemFields, FooterFields), stores it under the page number the driver
// gives and is emptied for the next item. The first item is printed on the
// cover and never passes through here.
//
// The driver creates one per generation and hands it the CDataBase it shares
// (not owned). Errors keep the cover's sources (" - CImpCaratula.<name>"), as
// hosts have always seen them, except LimpiarColCampos's own.
#ifndef TIPOLARIA_LOADERS_ITEMS_CIMPCARITEM_HPP_
#define TIPOLARIA_LOADERS_ITEMS_CIMPCARITEM_HPP_

#include <cstdint>
#include <string>

#include "data/CDataBase.hpp"
#include "data/Recordset.hpp"
#include "imp/CColImp.hpp"
#include "imp/PageFields.hpp"

namespace tipolaria {

class CImpCarItem {
 public:
  // Sets the data-access object; must come before any load.
  void BaseDeDatos(CDataBase& db) { db_ = &db; }
  // The fields gathered for the page being built, in the order added.
  const CColImp& Campos() const { return page_.Campos(); }

  // The item fields of `item` (the ART recordset positioned on the item):
  // fields 38 to 70 and 145, and the item's settlement with its totals. No
  // query for the item itself. The settlement-printed flag does not change
  // anything here: an item page never prints the declaration level, so its
  // rows always fill the grid in order. `pagina` is the page the item goes
  // to.
  void CargarDatosItem(const std::string& iddt, const std::string& impexp, const Recordset& item,
                       bool liquidacion_impresa, std::int32_t pagina);
  // The item's settlement (fields 71 to 133), as above.
  bool CargarLiqItem(const std::string& iddt, const std::string& nart, bool liquidacion_impresa);
  // The footer: channel and heading line; no declaration totals.
  void CargarPie(const Recordset& header, std::int16_t oper, const std::string& canal,
                 const std::string& morado, const std::string& rotulo, const std::string& ramo,
                 const std::string& fecofi);
  // Stores the gathered fields as page `pagina` in one transaction; on an
  // error no row of the save remains. True.
  bool GuardarDatos(std::int16_t pagina);
  // Empties the gathered fields, so that nothing of one item reaches the
  // next page.
  void LimpiarColCampos();

  void CargarValorAduanaDivisa(const std::string& martbasdiv);
  void CargarValorAduanaDolar(const std::string& martbasimp);

 private:
  CDataBase& Db() const;

  CDataBase* db_ = nullptr;
  PageFields page_;
};

}  // namespace tipolaria

#endif  // TIPOLARIA_LOADERS_ITEMS_CIMPCARITEM_HPP_
