// Catalogo: the document code (CDOC of table DOC) of a document-type number
// of the coded parameters "CODDOC", valid on the operation date, with one
// shortcut per document type that the documents-to-present lists leave out.
// No trap: errors of the lookups reach the caller with their own suffixes.
#ifndef TIPOLARIA_COMMON_CATALOGO_HPP_
#define TIPOLARIA_COMMON_CATALOGO_HPP_

#include <cstdint>
#include <string>

#include "data/CDataBase.hpp"

namespace tipolaria {

// The document code of document-type number `n`; empty text when the number
// has no "CODDOC" entry or no DOC row is valid on the operation date.
std::string DameCodigoDoc(CDataBase& db, std::int16_t n);

std::string DameCodigoDoc1(CDataBase& db);
std::string DameCodigoDoc2(CDataBase& db);
std::string DameCodigoDoc4(CDataBase& db);
std::string DameCodigoDoc5(CDataBase& db);
std::string DameCodigoDoc6(CDataBase& db);

}  // namespace tipolaria

#endif  // TIPOLARIA_COMMON_CATALOGO_HPP_
