// The one-field loaders of the cover and the item pages as data. Most field
// loaders have one shape: under a trap of their own name, take one column of
// the row they are given, format it or look it up, and add it under one field
// number. Each is a row of a table of its page part, and LoadFields runs them;
// the loaders with more to do are written out where they belong.
#ifndef TIPOLARIA_LOADERS_FIELDS_FIELDROW_HPP_
#define TIPOLARIA_LOADERS_FIELDS_FIELDROW_HPP_

#include <initializer_list>
#include <optional>
#include <span>
#include <string>

#include "data/CDataBase.hpp"
#include "data/Recordset.hpp"
#include "imp/PageFields.hpp"

namespace tipolaria::detail {

// How a loader's column is read, before its trap: so an error of the reading
// is the caller's (" - CImpCaratula.CargarCabecera"), not the loader's.
enum class Read {
  kText,    // a Null gives empty text
  kAsRead,  // a Null cannot become text: invalid use of Null
  kZero,    // a Null counts as 0; the number as text ("12,5")
};

// The printed text of a value; none adds no field.
using Conversion = std::optional<std::string> (*)(CDataBase& db, const std::string& value);

// One loader: its field number, its name as error sources give it
// ("CargarTotalKg"), the field's label, the column it prints (none when it is
// given its text) and how that is read, and what is printed: the value as
// read, in a display pattern, or converted.
struct FieldRow {
  constexpr FieldRow(int number, const char* name, const char* nombre, const char* read_column,
                     Read read_as, const char* display_pattern = nullptr)
      : field(number),
        procedure(name),
        label(nombre),
        column(read_column),
        read(read_as),
        pattern(display_pattern) {}
  constexpr FieldRow(int number, const char* name, const char* nombre, const char* read_column,
                     Read read_as, Conversion conversion)
      : field(number),
        procedure(name),
        label(nombre),
        column(read_column),
        read(read_as),
        convert(conversion) {}

  int field;
  const char* procedure;
  const char* label;
  const char* column;
  Read read;
  const char* pattern = nullptr;
  Conversion convert = nullptr;
};

// The row of `field` in `table`; a field without one is an internal error.
const FieldRow& RowOf(std::span<const FieldRow> table, int field);

// Runs a one-field loader on its text: under the trap " - CImpCaratula." +
// procedure, formats or converts `value` and adds the field to `page`.
void LoadField(CDataBase& db, PageFields& page, const FieldRow& row, const std::string& value);
// Runs the loaders of `fields`, in that order, each on its column of the
// current row of `rs`.
void LoadFields(CDataBase& db, PageFields& page, std::span<const FieldRow> table,
                std::initializer_list<int> fields, const Recordset& rs);

}  // namespace tipolaria::detail

#endif  // TIPOLARIA_LOADERS_FIELDS_FIELDROW_HPP_
