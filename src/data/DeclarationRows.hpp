// DeclarationRows: the rows of a per-item question (ItemQuery) for every
// item of the declaration, read with one query, and the rows of one item
// picked out of them as the question alone would return them.
//
// The one query selects the item's columns before the question's own ones
// and orders as the question orders; an item's rows keep the order the
// server gave them; a UNION's rows stay distinct within the item. Items and
// concepts are
// matched as the server compares them (ServerText.hpp), so an item numbered
// '0001 ' or a code in another case gets the rows it always got.
#ifndef TIPOLARIA_DATA_DECLARATIONROWS_HPP_
#define TIPOLARIA_DATA_DECLARATIONROWS_HPP_

#include <cstddef>
#include <string>
#include <unordered_map>
#include <vector>

#include "data/ItemQuery.hpp"
#include "data/Recordset.hpp"

namespace tipolaria {

class DeclarationRows {
 public:
  // The query that reads the rows of `query` for every item: the item's
  // columns, then the question's; sums grouped by item.
  static std::string Text(const ItemQuery& query);

  // `all` is what Text(query) returned.
  DeclarationRows(const ItemQuery& query, const Recordset& all);

  // The rows `query` asks for (the same question, for any item), in their
  // order, with the question's own columns.
  Recordset Of(const ItemQuery& query) const;

 private:
  std::size_t item_columns_;
  bool sums_;
  bool distinct_;  // a UNION: an item's rows are distinct
  std::vector<std::string> columns_;
  std::vector<Recordset::Row> rows_;   // without the item's columns
  std::vector<Recordset::Row> items_;  // the item's columns of each row
  // Row indices by the item's number (ServerKey), in the server's order.
  std::unordered_map<std::string, std::vector<std::size_t>> by_item_;
};

}  // namespace tipolaria

#endif  // TIPOLARIA_DATA_DECLARATIONROWS_HPP_
