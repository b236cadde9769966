// The continuation page report: renders the pages of IMP TIPO 1 on the
// SubItemLaser layout, from the first page after the cover and item pages
// (or HojaDesde, if later) up to the first page without rows.
#ifndef TIPOLARIA_REPORTS_SUBITEMLASER_HPP_
#define TIPOLARIA_REPORTS_SUBITEMLASER_HPP_

#include "reports/LaserReport.hpp"

namespace tipolaria {

class SubItemLaser : public LaserReport {
 public:
  SubItemLaser(CDataBase& db, PrintRange range);

 protected:
  void Initialize() override;
  bool DetailFormat() override;
};

}  // namespace tipolaria

#endif  // TIPOLARIA_REPORTS_SUBITEMLASER_HPP_
