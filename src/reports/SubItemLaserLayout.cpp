// The continuation page layout SubItemLaser, transcribed from its layout
// table: the header of the cover, a column of 62 body lines and the footer.
#include <string>
#include <vector>

#include "reports/LaserLayouts.hpp"
#include "reports/LayoutTableHelpers.hpp"

namespace tipolaria {
namespace {

using detail::Caption;
using detail::Cell;
using detail::CopyNumber;
using detail::Field;
using detail::Heading;
using detail::Line;
using detail::Vertical;

Layout BuildSubItemLaser() {
  std::vector<LayoutControl> controls = {
      CopyNumber("lblNumCentral", 4935, 3510, 3105, 5820, 300, "5", false),
      Cell("Label1", 520, 400, 1330, 620, 28, ""),
      Cell("Label2", 1890, 400, 9260, 210, 8.5, " SUBREGIMEN:"),
      Cell("Label3", 1880, 620, 3300, 400, 7, "  Aduana"),
      CopyNumber("lblNumAngulo", 11140, 400, 710, 620, 26.5, "1", true),
      Cell("Label6", 5180, 620, 1420, 400, 7, "  Oficialización"),
      Heading("Label7", 6600, 620, 3180, 400, 7, "Año / Ad. / Tipo / NºReg. / DC"),
      Cell("Label8", 9780, 620, 1350, 400, 7, "  Fojas"),
      Vertical("Label96", 320, 13900, 212, 1534, 8.5, "OM - 1993 SIM", false),
      Caption("Label99", 3685, 15165, 3118, 142, 7, "Firma y Sello Despachante de Aduana"),
      LayoutControl::Image("Image1", 520, 430, 1330, 567),
      Line("Line5", 11860, 400, 11860, 15400),
      Line("Line6", 520, 400, 520, 15400),
      Line("Line7", 520, 15400, 3270, 15400),
      Line("Line16", 7010, 15400, 11860, 15400),
      Line("Line17", 7010, 14400, 7010, 15400),
      Line("Line18", 3270, 14400, 3270, 15400),
      Line("Line19", 3270, 14400, 7010, 14400),
      Field("c1", 2085, 780, 3030, 210, 8.5, ""),
      Field("c2", 5380, 780, 1140, 210, 8.5, ""),
      Field("c3", 6800, 780, 2920, 210, 8.5, ""),
      Field("c4", 9980, 780, 1100, 210, 8.5, ""),
  };
  // Body lines c5 to c66, one under the other from 1200. The complementary
  // loader fills c5 to c65; c66 exists in the layout all the same and
  // shows a value only if some row names it.
  for (int n = 5; n <= 66; ++n) {
    controls.push_back(
        Field("c" + std::to_string(n), 550, 1200 + 210 * (n - 5), 11295, 210, 8.5, ""));
  }
  const std::vector<LayoutControl> rest = {
      Field("c149", 3402, 400, 7086, 213, 8.5, ""),
      Field("c150", 3402, 14598, 3543, 567, 7, "Field1"),
      Field("cQOR1", 615, 180, 11145, 210, 8.5, ""),
  };
  controls.insert(controls.end(), rest.begin(), rest.end());
  return Layout("SubItemLaser", std::move(controls));
}

}  // namespace

const Layout& SubItemLaserLayout() {
  static const Layout layout = BuildSubItemLaser();
  return layout;
}

}  // namespace tipolaria
