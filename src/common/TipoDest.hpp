// TipoDest: the organism attached to a status code (sub-regime) of table STA,
// as the cancelled-declarations section prints it. No trap: errors of the
// lookups reach the caller with their own suffixes.
#ifndef TIPOLARIA_COMMON_TIPODEST_HPP_
#define TIPOLARIA_COMMON_TIPODEST_HPP_

#include <string>

#include "data/CDataBase.hpp"

namespace tipolaria {

// True when the status valid on `date` (empty: the operation date) names an
// organism and its entity is number 1 of "TABON".
bool DameOrganismo(CDataBase& db, const std::string& status, const std::string& date);

// The same answer, and the organism's name into `organism`: LAGE of ORG,
// empty when ORG has no row or the name is Null. When the status has an
// entity other than 1 or no organism, `organism` is emptied; when no status
// row is valid, it is left unchanged.
bool DameOrganismo(CDataBase& db, const std::string& status, const std::string& date,
                   std::string& organism);

}  // namespace tipolaria

#endif  // TIPOLARIA_COMMON_TIPODEST_HPP_
