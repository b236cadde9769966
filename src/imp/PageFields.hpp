// PageFields: a page of type 0 (the cover or an item page) under
// construction. The loaders gather its fields here, keyed by field number,
// in the order they are loaded; the page is then saved under its number.
#ifndef TIPOLARIA_IMP_PAGEFIELDS_HPP_
#define TIPOLARIA_IMP_PAGEFIELDS_HPP_

#include <cstdint>
#include <string>

#include "data/CDataBase.hpp"
#include "imp/CColImp.hpp"

namespace tipolaria {

class PageFields {
 public:
  // Appends one field without a key; `campo` is the field number. A field
  // added twice is saved with its last value.
  void Agregar(std::string nombre, std::string valor, int campo) {
    campos_.Add(std::move(nombre), std::move(valor), std::to_string(campo));
  }
  const CColImp& Campos() const { return campos_; }
  void Limpiar() { campos_.Clear(); }
  // Saves the fields as page `page` of type 0, in one transaction (see
  // SaveImpPage).
  void Guardar(CDataBase& db, std::int32_t page) const;

 private:
  CColImp campos_;
};

}  // namespace tipolaria

#endif  // TIPOLARIA_IMP_PAGEFIELDS_HPP_
