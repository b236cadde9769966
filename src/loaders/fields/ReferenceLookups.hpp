// The reference lookups of the cover and item pages: codes of a declaration
// turned into the descriptions valid on the operation date. A code without a
// valid row gives the loader's placeholder, never an error. No trap of their
// own but DameDescripcionDocs's: errors reach the field loader that asked.
#ifndef TIPOLARIA_LOADERS_FIELDS_REFERENCELOOKUPS_HPP_
#define TIPOLARIA_LOADERS_FIELDS_REFERENCELOOKUPS_HPP_

#include <string>

#include "data/CDataBase.hpp"

namespace tipolaria::detail {

// The description of a code in its dated table into `valor`; false, with
// `valor` untouched, when no row is valid.
bool BuscarPais(CDataBase& db, const std::string& codigo, std::string& valor);
bool BuscarAduana(CDataBase& db, const std::string& codigo, std::string& valor);
bool BuscarDivisa(CDataBase& db, const std::string& codigo, std::string& valor);
bool BuscarEmbalaje(CDataBase& db, const std::string& codigo, std::string& valor);
bool BuscarUnidad(CDataBase& db, const std::string& codigo, std::string& valor);
bool BuscarDeposito(CDataBase& db, const std::string& aduana, const std::string& deposito,
                    std::string& valor);
// The origin of an item: a country or, failing that, a province.
std::string PaisOProvincia(CDataBase& db, const std::string& codigo);
// The document codes of invoices (1), inspection certificates (4) and third
// documents (5) valid on the operation date; empty for a kind without one.
void DameDescripcionDocs(CDataBase& db, std::string& factura, std::string& certificado,
                         std::string& tercero);

}  // namespace tipolaria::detail

#endif  // TIPOLARIA_LOADERS_FIELDS_REFERENCELOOKUPS_HPP_
