#include "reports/Layout.hpp"

#include <stdexcept>
#include <utility>

namespace tipolaria {
namespace {

std::string AsciiUpper(std::string_view text) {
  std::string upper(text);
  for (char& c : upper) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return upper;
}

}  // namespace

Layout::Layout(std::string name, std::vector<LayoutControl> controls)
    : name_(std::move(name)), controls_(std::move(controls)), geometry_(controls_) {
  for (std::size_t i = 0; i < controls_.size(); ++i) {
    if (!by_upper_name_.emplace(AsciiUpper(controls_[i].name), static_cast<int>(i)).second) {
      throw std::logic_error("layout " + name_ + " names two controls " + controls_[i].name);
    }
  }
}

int Layout::Find(std::string_view name) const {
  const auto it = by_upper_name_.find(AsciiUpper(name));
  return it == by_upper_name_.end() ? -1 : it->second;
}

}  // namespace tipolaria
