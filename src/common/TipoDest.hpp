// TipoDest: the organism attached to a status code (sub-regime) of table STA,
// as the cancelled-declarations section prints it. No trap: errors of the
// lookups reach the caller with their own suffixes.
#ifndef TIPOLARIA_COMMON_TIPODEST_HPP_
#define TIPOLARIA_COMMON_TIPODEST_HPP_

#include <string>

#include "data/CDataBase.hpp"

namespace tipolaria {

// True when the status valid on `date` names an organism and its entity is
// number 1 of "TABON". `date` is written back as the dated lookup leaves it
// (empty means the operation date).
//
// `organism` is in/out: passed empty, the caller only asks whether an organism
// exists and it stays empty; passed non-empty, it receives the organism's name
// (LAGE of ORG, empty when ORG has no row or the name is Null). When the status
// has an entity other than 1 or no organism, it is emptied; when no status row
// is valid, it is left unchanged.
bool DameOrganismo(CDataBase& db, const std::string& status, std::string& date,
                   std::string& organism);

}  // namespace tipolaria

#endif  // TIPOLARIA_COMMON_TIPODEST_HPP_
