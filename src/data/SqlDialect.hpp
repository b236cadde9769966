// The loaders write SQL in the customs database's dialect (T-SQL). For the
// embedded database one translator rewrites the few T-SQL pieces in use:
//   CONVERT(datetime, 'dd/mm/yyyy', 103)  ->  'yyyy-mm-dd 00:00:00'
//   TRUNCATE TABLE name                   ->  DELETE FROM name
//   isnull(                               ->  ifnull(
// Text inside string literals is never touched. An impossible date in a
// CONVERT is a conversion error, as the server reports it.
#ifndef TIPOLARIA_DATA_SQLDIALECT_HPP_
#define TIPOLARIA_DATA_SQLDIALECT_HPP_

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tipolaria {

std::string TranslateToSqlite(std::string_view tsql);

// A statement's shape: its text with every single-quoted literal replaced by
// a parameter, and the literals' texts (quotes undoubled) in order. The
// statements of a generation differ mostly in their values (the item, the
// declaration), so the embedded database prepares each shape once.
struct StatementShape {
  std::string text;
  std::vector<std::string> literals;
};

// The shape of a query or data change (SELECT, INSERT, UPDATE, DELETE, WITH)
// in SQLite's dialect; none for other statements and for text this simple
// scan does not read with certainty: parameters of its own, comments, quoted
// names, blob or prefixed literals, an unterminated literal.
std::optional<StatementShape> ShapeOf(std::string_view sql);

}  // namespace tipolaria

#endif  // TIPOLARIA_DATA_SQLDIALECT_HPP_
