// ItemFields: the field loaders of one item, shared by the cover (its first
// item) and the item pages (every further item): identification, origin and
// units (fields 38 to 50), value suffixes (51), options (52), amounts and
// values (53 to 70, 145) and the item's columns of the settlement grid with
// its totals (71 to 133). What differs between the two pages is an
// ItemPolicy, never a second copy of a loader.
//
// An ItemFields lives for one load: it works on the page and the database it
// is given (neither owned). Every loader appends " - CImpCaratula.<name>" to
// the source of an error that leaves it, on both pages.
#ifndef TIPOLARIA_LOADERS_FIELDS_ITEMFIELDS_HPP_
#define TIPOLARIA_LOADERS_FIELDS_ITEMFIELDS_HPP_

#include <string>
#include <vector>

#include "data/CDataBase.hpp"
#include "data/Recordset.hpp"
#include "imp/PageFields.hpp"

namespace tipolaria {

// What the cover does differently from an item page with the same item
// loaders.
struct ItemPolicy {
  // Field 52 opens with the declaration's own options, under the line
  // "c) Opciones a nivel general". An item page leaves them (and the line)
  // to the cover.
  bool opciones_generales;
  // The documents of field 61 are read for the item numbered "0001", the one
  // the cover shows; an item page reads its own item's.
  bool documentos_item_0001;
  // Field 70 is added even when martinscon is Null; an item page adds it
  // only for a value.
  bool insumos_sin_valor;
};

inline constexpr ItemPolicy kPoliticaCaratula{true, true, true};
inline constexpr ItemPolicy kPoliticaItem{false, false, false};

class ItemFields {
 public:
  ItemFields(CDataBase& db, PageFields& page, const ItemPolicy& policy)
      : db_(db), page_(page), policy_(policy) {}

  // Fields 38 to 50 from the item row.
  void CargarCabItem(const std::string& iddt, const Recordset& item);
  // Field 51: the item's description and its value suffixes.
  void CargarSufijos(const std::string& iddt, const Recordset& item);
  // Field 52: the options and regimes of the item (and, on the cover, of the
  // declaration).
  void CargarInfoCpl(const std::string& iddt, const Recordset& item);
  // Fields 53 to 70 and 145.
  void CargarMontos(const std::string& iddt, const std::string& impexp, const Recordset& item);
  void CargarValorAduanaDivisa(const std::string& martbasdiv);
  void CargarValorAduanaDolar(const std::string& martbasimp);

  // The item's settlement beside the concepts and its totals 131 to 133.
  // With `liquidacion_impresa`, each tax goes beside its concept, found (and
  // taken out of) `indice`, the declaration level's index; without it, the
  // item's rows fill the grid in order with their own concepts.
  bool CargarLiqItem(const std::string& iddt, bool liquidacion_impresa, const std::string& nart,
                     std::vector<std::string>& indice);

 private:
  void Agregar(std::string nombre, std::string valor, int campo) {
    page_.Agregar(std::move(nombre), std::move(valor), campo);
  }

  void CargarLista(const std::string& cartpro, const std::string& lista);
  void CargarInfoAdicional(const std::string& iddt, const std::string& nart);

  void CargarUnitarioDivisa(const std::string& cartsbitem, const std::string& unitario);
  void CargarPrecioUnit(const std::string& qartde, const std::string& precio_oficial,
                        const std::string& valor_declarado);
  void CargarUnidadMonto(const std::string& qartde, const std::string& unidad_oficial,
                         const std::string& unidad_declarada);
  void CargarCoeficiente(const std::string& qartde, const std::string& coeficiente,
                         const std::string& impexp);
  void CargarDocumentosAPresentar(const std::string& iddt, const std::string& nart);
  void CargarBaseIVA(const std::string& iddt, const std::string& nart);
  void CargarBaseImpuestos(const std::string& iddt, const std::string& nart);
  void CargarReintegros(const std::string& iddt, const std::string& nart);

  void TotalesLiqItem(const std::string& iddt, const std::string& nart);
  // A tax row's item coefficient, type and amount, from field `campo` on.
  void AgregarColumnasItem(int campo, const Value& coeficiente, const std::string& tipo,
                           const Value& monto);

  CDataBase& db_;
  PageFields& page_;
  ItemPolicy policy_;
};

}  // namespace tipolaria

#endif  // TIPOLARIA_LOADERS_FIELDS_ITEMFIELDS_HPP_
