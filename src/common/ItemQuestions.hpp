// The questions about one item that more than one loader asks: the item's
// row of ART, its sub-items and the description of one of its value
// suffixes. Asked
// through CDataBase::GetItemRs, so that a generation reads each of them once
// for the whole declaration.
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

}  // namespace tipolaria

#endif  // TIPOLARIA_COMMON_ITEMQUESTIONS_HPP_
