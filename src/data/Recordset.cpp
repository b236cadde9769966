#include "data/Recordset.hpp"

#include <algorithm>
#include <cctype>
#include <utility>

#include "tipolaria/error.hpp"

namespace tipolaria {
namespace {

constexpr const char* kProviderSource = "Recordset";

bool EqualsNoCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) ==
                  std::tolower(static_cast<unsigned char>(y));
         });
}

}  // namespace

Recordset::Recordset(std::vector<std::string> columns, std::vector<Row> rows)
    : open_(true), columns_(std::move(columns)), rows_(std::move(rows)) {}

void Recordset::RequireOpen() const {
  if (!open_) {
    throw ComError(3704, kProviderSource, "Operation is not allowed when the object is closed.");
  }
}

bool Recordset::AtBeginning() const {
  RequireOpen();
  return rows_.empty();
}

bool Recordset::AtEnd() const {
  RequireOpen();
  return position_ >= rows_.size();
}

void Recordset::MoveNext() {
  if (AtEnd()) {
    throw ComError(3021, kProviderSource,
                   "Either BOF or EOF is True, or the current record has been deleted. "
                   "Requested operation requires a current record.");
  }
  ++position_;
}

void Recordset::MoveFirst() {
  RequireOpen();
  position_ = 0;
}

const Recordset::Row& Recordset::CurrentRow() const {
  if (AtEnd()) {
    throw ComError(3021, kProviderSource,
                   "Either BOF or EOF is True, or the current record has been deleted. "
                   "Requested operation requires a current record.");
  }
  return rows_[position_];
}

const Value& Recordset::Field(std::string_view name) const {
  const std::size_t ordinal = Ordinal(name);
  return CurrentRow()[ordinal];
}

std::size_t Recordset::Ordinal(std::string_view name) const {
  RequireOpen();
  for (std::size_t i = 0; i < columns_.size(); ++i) {
    if (EqualsNoCase(columns_[i], name)) return i;
  }
  throw ComError(3265, kProviderSource,
                 "Item cannot be found in the collection corresponding to the requested name "
                 "or ordinal: " +
                     std::string(name));
}

const Recordset::Row& Recordset::RowAt(std::size_t index) const {
  RequireOpen();
  return rows_.at(index);
}

const Value& Recordset::Field(std::size_t ordinal) const {
  RequireOpen();
  if (ordinal >= columns_.size()) {
    throw ComError(3265, kProviderSource,
                   "Item cannot be found in the collection corresponding to the requested name "
                   "or ordinal.");
  }
  return CurrentRow()[ordinal];
}

std::size_t Recordset::FieldCount() const {
  RequireOpen();
  return columns_.size();
}

const std::string& Recordset::FieldName(std::size_t ordinal) const {
  RequireOpen();
  return columns_.at(ordinal);
}

std::size_t Recordset::RecordCount() const {
  RequireOpen();
  return rows_.size();
}

void Recordset::Close() {
  RequireOpen();
  open_ = false;
  columns_.clear();
  rows_.clear();
  position_ = 0;
}

}  // namespace tipolaria
