// The two page layouts of the form "OM - 1993 SIM", built once from their
// tables on first use and shared read-only: CaratulaLaser for the cover and
// item pages (IMP TIPO 0), SubItemLaser for the continuation pages (TIPO 1).
#ifndef TIPOLARIA_REPORTS_LASERLAYOUTS_HPP_
#define TIPOLARIA_REPORTS_LASERLAYOUTS_HPP_

#include "reports/Layout.hpp"

namespace tipolaria {

const Layout& CaratulaLaserLayout();
const Layout& SubItemLaserLayout();

}  // namespace tipolaria

#endif  // TIPOLARIA_REPORTS_LASERLAYOUTS_HPP_
