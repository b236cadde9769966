// The four stored procedures of the coded-parameter table, answered by
// queries over PTR where the database has no procedures (an SQLite file,
// embedded or behind ODBC). Each takes the parameter type and one key.
#ifndef TIPOLARIA_DATA_PTRPROCEDURES_HPP_
#define TIPOLARIA_DATA_PTRPROCEDURES_HPP_

#include <string>
#include <vector>

#include "data/Backend.hpp"

namespace tipolaria {

struct PtrQuery {
  std::string sql;            // with two "?" markers: the type, then the key
  std::vector<Value> inputs;  // the call's input values, in order
};

// The query that answers procedure `name` called with `params`. An unknown
// procedure or a call without exactly two inputs is an error of `source`.
PtrQuery PtrProcedureQuery(const std::string& source, const std::string& name,
                           const std::vector<ProcedureParam>& params);

}  // namespace tipolaria

#endif  // TIPOLARIA_DATA_PTRPROCEDURES_HPP_
