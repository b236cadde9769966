#include "imp/CColImp.hpp"

#include "runtime/Trap.hpp"

namespace tipolaria {

CImp& CColImp::Add(std::string nombre, std::string valor, std::string posicion,
                   const std::string& key) {
  // The key is taken as given, not trimmed: a key of one blank is a key.
  if (!key.empty()) {
    for (const std::string& k : keys_) {
      if (k == key) RaiseRuntimeError(kErrDuplicateKey);
    }
  }
  items_.push_back(CImp{std::move(posicion), std::move(valor), std::move(nombre)});
  keys_.push_back(key);
  return items_.back();
}

void CColImp::Clear() {
  items_.clear();
  keys_.clear();
}

std::size_t CColImp::IndexOf(std::int64_t index) const {
  if (index < 1 || index > static_cast<std::int64_t>(items_.size())) {
    RaiseRuntimeError(kErrSubscriptOutOfRange);
  }
  return static_cast<std::size_t>(index - 1);
}

std::size_t CColImp::IndexOf(const std::string& key) const {
  for (std::size_t i = 0; i < keys_.size(); ++i) {
    if (!keys_[i].empty() && keys_[i] == key) return i;
  }
  RaiseRuntimeError(kErrInvalidProcedureCall);
}

CImp& CColImp::Item(std::int64_t index) { return items_[IndexOf(index)]; }
CImp& CColImp::Item(const std::string& key) { return items_[IndexOf(key)]; }

void CColImp::RemoveAt(std::size_t position) {
  items_.erase(items_.begin() + static_cast<std::ptrdiff_t>(position));
  keys_.erase(keys_.begin() + static_cast<std::ptrdiff_t>(position));
}

void CColImp::Remove(std::int64_t index) { RemoveAt(IndexOf(index)); }
void CColImp::Remove(const std::string& key) { RemoveAt(IndexOf(key)); }

}  // namespace tipolaria
