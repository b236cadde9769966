#include "loaders/items/CImpCarItem.hpp"

#include <vector>

#include "common/UtilFnc.hpp"
#include "loaders/fields/FooterFields.hpp"
#include "loaders/fields/ItemFields.hpp"
#include "loaders/fields/LoaderSupport.hpp"

namespace tipolaria {

CDataBase& CImpCarItem::Db() const { return detail::RequireDatabase(db_); }

void CImpCarItem::CargarDatosItem(const std::string& iddt, const std::string& impexp,
                                  const Recordset& item, bool liquidacion_impresa,
                                  std::int32_t /*pagina*/) {
  detail::TrapCaratula("CargarDatosItem", [&] {
    ItemFields campos(Db(), page_, kPoliticaItem);
    campos.CargarCabItem(iddt, item);
    campos.CargarSufijos(iddt, item);
    campos.CargarInfoCpl(iddt, item);
    campos.CargarMontos(iddt, impexp, item);
    CargarLiqItem(iddt, ValorTexto(item.Field("nart")), liquidacion_impresa);
  });
}

bool CImpCarItem::CargarLiqItem(const std::string& iddt, const std::string& nart,
                                bool /*liquidacion_impresa*/) {
  // Without the declaration level there is no index of concepts to place
  // the item's taxes beside: whatever the flag, the rows fill the grid in
  // order, each with its own concept.
  std::vector<std::string> sin_indice;
  return ItemFields(Db(), page_, kPoliticaItem)
      .CargarLiqItem(iddt, /*liquidacion_impresa=*/false, nart, sin_indice);
}

void CImpCarItem::CargarPie(const Recordset& header, std::int16_t oper, const std::string& canal,
                            const std::string& morado, const std::string& rotulo,
                            const std::string& ramo, const std::string& fecofi) {
  detail::CargarPie(Db(), page_, header, oper, canal, morado, rotulo, ramo, fecofi,
                    /*totales_declaracion=*/false);
}

bool CImpCarItem::GuardarDatos(std::int16_t pagina) {
  return detail::TrapCaratula("GuardarDatos", [&] {
    page_.Guardar(Db(), pagina);
    return true;
  });
}

void CImpCarItem::LimpiarColCampos() {
  Trap("CImpCarItem.LimpiarColCampos", [&] { page_.Limpiar(); });
}

void CImpCarItem::CargarValorAduanaDivisa(const std::string& martbasdiv) {
  ItemFields(Db(), page_, kPoliticaItem).CargarValorAduanaDivisa(martbasdiv);
}

void CImpCarItem::CargarValorAduanaDolar(const std::string& martbasimp) {
  ItemFields(Db(), page_, kPoliticaItem).CargarValorAduanaDolar(martbasimp);
}

}  // namespace tipolaria
