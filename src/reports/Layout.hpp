// A page layout: the controls of its one page-high Detail section in the
// layout's own order, looked up by name without regard to case, as the
// report engine addressed them, and the geometry the page is drawn with.
// Built once from a layout table and then only read; the layouts of this
// system are CaratulaLaser and SubItemLaser (LaserLayouts.hpp).
#ifndef TIPOLARIA_REPORTS_LAYOUT_HPP_
#define TIPOLARIA_REPORTS_LAYOUT_HPP_

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "reports/LayoutControl.hpp"
#include "reports/PageGeometry.hpp"

namespace tipolaria {

class Layout {
 public:
  // Height of the Detail section of both layouts: one page.
  static constexpr std::int32_t kSectionHeight = 15600;

  Layout(std::string name, std::vector<LayoutControl> controls);

  const std::string& name() const { return name_; }
  const std::vector<LayoutControl>& controls() const { return controls_; }
  const LayoutControl& control(std::size_t index) const { return controls_[index]; }
  const PageGeometry& geometry() const { return geometry_; }

  // Index of the control called `name` (ASCII case ignored), or -1.
  int Find(std::string_view name) const;

 private:
  std::string name_;
  std::vector<LayoutControl> controls_;
  std::unordered_map<std::string, int> by_upper_name_;
  PageGeometry geometry_;
};

}  // namespace tipolaria

#endif  // TIPOLARIA_REPORTS_LAYOUT_HPP_
