// The rows of one query, read whole into memory when it is opened (a
// client-side cursor): fields by name without regard to case, tests for the
// beginning and the end, moving to the next and the first row, and closing.
// The caller owns the recordset it gets and closes it.
#ifndef TIPOLARIA_DATA_RECORDSET_HPP_
#define TIPOLARIA_DATA_RECORDSET_HPP_

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "runtime/Value.hpp"

namespace tipolaria {

class Recordset {
 public:
  using Row = std::vector<Value>;

  // A closed recordset.
  Recordset() = default;
  // An open recordset positioned on its first row, if any.
  Recordset(std::vector<std::string> columns, std::vector<Row> rows);

  bool IsOpen() const { return open_; }
  // Both are true for a recordset without rows.
  bool AtBeginning() const;  // BOF
  bool AtEnd() const;        // EOF
  void MoveNext();
  void MoveFirst();

  // The current row's field, by name (any case) or by 0-based ordinal. No
  // current row is error 3021; an unknown name is error 3265.
  const Value& Field(std::string_view name) const;
  const Value& Field(std::size_t ordinal) const;
  const Value& operator[](std::string_view name) const { return Field(name); }

  std::size_t FieldCount() const;
  const std::string& FieldName(std::size_t ordinal) const;
  // The ordinal of a field by name (any case); an unknown name is error 3265.
  std::size_t Ordinal(std::string_view name) const;
  // The rows by 0-based index below RecordCount(), without moving the
  // cursor: a reader of every row needs no cursor (nor copy) of its own.
  const Row& RowAt(std::size_t index) const;
  std::size_t RecordCount() const;

  void Close();

 private:
  void RequireOpen() const;
  const Row& CurrentRow() const;

  bool open_ = false;
  std::vector<std::string> columns_;
  std::vector<Row> rows_;
  std::size_t position_ = 0;  // index into rows_
};

}  // namespace tipolaria

#endif  // TIPOLARIA_DATA_RECORDSET_HPP_
