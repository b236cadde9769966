// DatedLookups: the validity-dated code tables whose description the pages
// print (countries, customs offices, currencies, packagings, units,
// sub-regimes), read as of the operation date. A row is valid from its start
// date (inclusive) to its end date (exclusive). One table of them serves the
// page loaders and the driver's page headers alike. No trap: errors of the
// lookup reach the caller with their own suffixes.
#ifndef TIPOLARIA_COMMON_DATEDLOOKUPS_HPP_
#define TIPOLARIA_COMMON_DATEDLOOKUPS_HPP_

#include <string>

#include "data/CDataBase.hpp"

namespace tipolaria {

// A dated code table: its name, key column, validity columns and the column
// that describes a code.
struct DatedTable {
  const char* table;
  const char* key;
  const char* from;
  const char* to;
  const char* value;
};

inline constexpr DatedTable kTablaPais{"PAY", "CPAY", "DPAYEFF", "DPAYFIN", "lpayabr"};
inline constexpr DatedTable kTablaAduana{"BUR", "CBUR", "DBUREFF", "DBURFIN", "lbur"};
inline constexpr DatedTable kTablaDivisa{"DEV", "CDEV", "DDEVEFF", "DDEVFIN", "cdevr"};
inline constexpr DatedTable kTablaEmbalaje{"NEB", "tnebnatemb", "dnebeff", "dnebfin", "lnebnatemb"};
inline constexpr DatedTable kTablaUnidad{"UMM", "CUMMUNTMSR", "DUMMEFF", "DUMMFIN", "lummuntmsr"};
inline constexpr DatedTable kTablaSubregimen{"STA", "ISTA", "DSTAEFF", "DSTAFIN", "lsta"};

// The description of `code` in `table` on the operation date (Null giving
// empty text) into `value`; false, with `value` untouched, when no row of
// that code is valid then.
bool BuscarVigente(CDataBase& db, const DatedTable& table, const std::string& code,
                   std::string& value);

// The same, empty text when no row is valid.
std::string DescripcionVigente(CDataBase& db, const DatedTable& table, const std::string& code);

}  // namespace tipolaria

#endif  // TIPOLARIA_COMMON_DATEDLOOKUPS_HPP_
