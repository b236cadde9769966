// Whether a database is a customs database: it has every table of the
// schema. Opening a file proves only that it is a database (an empty file
// is one); the generation would fail on its first missing table, far from
// the cause.
#ifndef TIPOLARIA_DATA_SCHEMACHECK_HPP_
#define TIPOLARIA_DATA_SCHEMACHECK_HPP_

#include <string>
#include <vector>

#include "data/CDataBase.hpp"

namespace tipolaria {

// The tables of the embedded schema, in its order.
std::vector<std::string> SchemaTables();

// The tables of the schema that `db` cannot read (none for a complete
// customs database).
std::vector<std::string> MissingSchemaTables(CDataBase& db);

}  // namespace tipolaria

#endif  // TIPOLARIA_DATA_SCHEMACHECK_HPP_
