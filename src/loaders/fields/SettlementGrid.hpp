// The tax settlement grid shared by the cover and the item pages. Each grid
// row spans six fields r .. r+5 from r = 71: item coefficient, item type,
// item amount, concept, declaration type, declaration amount. The
// declaration level (cover only) fills the concepts and records each in the
// settlement index, an entry being the tax code padded to kCodeWidth
// characters followed by the concept's field number; the item level puts an
// item's values beside the concept of the same tax.
#ifndef TIPOLARIA_LOADERS_FIELDS_SETTLEMENTGRID_HPP_
#define TIPOLARIA_LOADERS_FIELDS_SETTLEMENTGRID_HPP_

#include <cstdint>
#include <string>

namespace tipolaria::detail {

struct SettlementGrid {
  static constexpr const char* kAmount = "#,##0.00";
  static constexpr int kRowWidth = 6;
  // The first field of the first row, its item coefficient.
  static constexpr int kFirstRow = 71;
  // The concept of the first row; the concept of row k is 74 + 6k.
  static constexpr int kFirstConcept = kFirstRow + 3;
  // The declaration level stops before field 146 (twelve rows, the last
  // concept in 140); 146 to 148 hold its overflow marks.
  static constexpr int kConceptMarks = kFirstConcept + 12 * kRowWidth;
  // The item level stops at the item columns of the tenth row, 125 to 127,
  // which hold its overflow marks.
  static constexpr int kItemMarks = kFirstRow + 9 * kRowWidth;
  // The last field of the tenth row: below it the item columns are the
  // boxes of the item totals (131 to 133) and of the declaration's.
  static constexpr int kLastItemRow = kItemMarks + kRowWidth - 1;
  // Rows placed in order start the counter 3 fields before the first row:
  // each row first advances it by 3.
  static constexpr int kInOrderStart = kFirstRow - 3;
  // Drawback placed in order starts the counter at least here: its type and
  // amount then land two and three fields further on.
  static constexpr int kDrawbackStart = kFirstRow - 1;
  // Index entries: the tax code padded to this width, then the field number.
  static constexpr std::int32_t kCodeWidth = 10;

  // The label of a settlement field: a prefix and the field number.
  static std::string Label(const char* prefix, int field) { return prefix + std::to_string(field); }
};

}  // namespace tipolaria::detail

#endif  // TIPOLARIA_LOADERS_FIELDS_SETTLEMENTGRID_HPP_
