// The loaders write SQL in the customs database's dialect (T-SQL). For the
// embedded database one translator rewrites the few T-SQL pieces in use:
//   CONVERT(datetime, 'dd/mm/yyyy', 103)  ->  'yyyy-mm-dd 00:00:00'
//   TRUNCATE TABLE name                   ->  DELETE FROM name
//   isnull(                               ->  ifnull(
// Text inside string literals is never touched. An impossible date in a
// CONVERT is a conversion error, as the server reports it.
#ifndef TIPOLARIA_DATA_SQLDIALECT_HPP_
#define TIPOLARIA_DATA_SQLDIALECT_HPP_

#include <string>
#include <string_view>

namespace tipolaria {

std::string TranslateToSqlite(std::string_view tsql);

}  // namespace tipolaria

#endif  // TIPOLARIA_DATA_SQLDIALECT_HPP_
