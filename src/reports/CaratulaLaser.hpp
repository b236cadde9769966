// The cover and item page report: renders the pages of IMP TIPO 0 on the
// CaratulaLaser layout, from HojaDesde up to the first page without rows.
#ifndef TIPOLARIA_REPORTS_CARATULALASER_HPP_
#define TIPOLARIA_REPORTS_CARATULALASER_HPP_

#include "reports/LaserReport.hpp"

namespace tipolaria {

class CaratulaLaser : public LaserReport {
 public:
  CaratulaLaser(CDataBase& db, PrintRange range);

 protected:
  void Initialize() override;
  bool DetailFormat() override;
};

}  // namespace tipolaria

#endif  // TIPOLARIA_REPORTS_CARATULALASER_HPP_
