// The questions about one item that more than one loader asks: the item's
// row of ART, its sub-items, the description of one of its value suffixes
// and its sums of reimbursements and drawback (asked for the declaration's
// own item '0000' too). Asked through CDataBase::GetItemRs, so that a
// generation reads each of them once for the whole declaration. Also the
// declaration's transport row, whose columns the cover and the footers read
// one by one.
#ifndef TIPOLARIA_COMMON_ITEMQUESTIONS_HPP_
#define TIPOLARIA_COMMON_ITEMQUESTIONS_HPP_

#include <string>

#include "data/ItemQuery.hpp"

namespace tipolaria {

// "SELECT * FROM ART WHERE iddt = '<iddt>' AND nart = '<nart>'".
ItemQuery FilaDelItem(const std::string& iddt, const std::string& nart);

// "SELECT * FROM SBT WHERE iddt = '<iddt>' AND nart = '<nart>' ORDER BY isbt".
ItemQuery SubItems(const std::string& iddt, const std::string& nart);

// lsvlsvl of a value suffix of the item: codes starting with "A" or "Z" by
// their two-letter family (substring(csvlsvl,1,2)), the others exactly.
ItemQuery SufijoDeValor(const std::string& iddt, const std::string& nart,
                        const std::string& codigo);

// "SELECT SUM(mbnf) FROM BNF WHERE ibnf = '<iddt>' AND nart = '<nart>'".
ItemQuery SumaBeneficios(const std::string& iddt, const std::string& nart);

// "SELECT SUM(mdbktax) FROM DBK WHERE idbk = '<iddt>' AND ndbkarte = '<nart>'".
ItemQuery SumaDrawback(const std::string& iddt, const std::string& nart);

// "SELECT * FROM TPR WHERE iddt = '<iddt>'", for CDataBase::GetReference:
// one request a generation for every column read of it.
std::string FilaDeTransporte(const std::string& iddt);

}  // namespace tipolaria

#endif  // TIPOLARIA_COMMON_ITEMQUESTIONS_HPP_
