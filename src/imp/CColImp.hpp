// CColImp: the ordered, 1-based list of print fields in which a loader
// gathers a page before saving it. Elements may carry a unique text key. The
// errors are the original collection's: an index outside 1..Count is
// "Subscript out of range" (9), an unknown key "Invalid procedure call or
// argument" (5), a key already present "This key is already associated with
// an element of this collection" (457); a failed Add adds nothing.
#ifndef TIPOLARIA_IMP_CCOLIMP_HPP_
#define TIPOLARIA_IMP_CCOLIMP_HPP_

#include <cstdint>
#include <deque>
#include <map>
#include <string>
#include <string_view>

#include "imp/CImp.hpp"

namespace tipolaria {

class CColImp {
 public:
  using Items = std::deque<CImp>;

  // Appends a field; a key of length 0 means no key (a key of one blank is a
  // key). Returns the new element.
  CImp& Add(std::string nombre, std::string valor, std::string posicion,
            const std::string& key = "");
  void Clear();
  CImp& Item(std::int64_t index);
  CImp& Item(const std::string& key);
  void Remove(std::int64_t index);
  void Remove(const std::string& key);
  std::int32_t Count() const { return static_cast<std::int32_t>(items_.size()); }
  // The fields in insertion order.
  const Items& ColItems() const { return items_; }

  Items::const_iterator begin() const { return items_.begin(); }
  Items::const_iterator end() const { return items_.end(); }

 private:
  std::size_t IndexOf(std::int64_t index) const;
  std::size_t IndexOf(const std::string& key) const;
  void RemoveAt(std::size_t position);

  Items items_;
  std::deque<std::string> keys_;  // parallel to items_; empty for no key
};

}  // namespace tipolaria

#endif  // TIPOLARIA_IMP_CCOLIMP_HPP_
