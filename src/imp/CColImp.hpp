// CColImp: the ordered list of print fields in which a loader gathers a page
// before saving it: every field in the order added, duplicates included.
#ifndef TIPOLARIA_IMP_CCOLIMP_HPP_
#define TIPOLARIA_IMP_CCOLIMP_HPP_

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "imp/CImp.hpp"

namespace tipolaria {

class CColImp {
 public:
  using Items = std::vector<CImp>;

  void Add(std::string nombre, std::string valor, std::string posicion) {
    items_.push_back(CImp{std::move(posicion), std::move(valor), std::move(nombre)});
  }
  void Clear() { items_.clear(); }
  std::int32_t Count() const { return static_cast<std::int32_t>(items_.size()); }

  Items::const_iterator begin() const { return items_.begin(); }
  Items::const_iterator end() const { return items_.end(); }

 private:
  Items items_;
};

}  // namespace tipolaria

#endif  // TIPOLARIA_IMP_CCOLIMP_HPP_
