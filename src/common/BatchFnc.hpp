// BatchFnc: the description and the label of one item or sub-item of a
// declaration, as the descriptions section of the continuation pages prints
// them. Descriptions are stored in numbered blocks (KDSC); the label and its
// value in RTL.
#ifndef TIPOLARIA_COMMON_BATCHFNC_HPP_
#define TIPOLARIA_COMMON_BATCHFNC_HPP_

#include <string>

#include "data/CDataBase.hpp"

namespace tipolaria {

// Returns the description of item `nart`, sub-item `isbt` of declaration
// `iddt`: its KDSC blocks joined in NDSCBLQ order without separator (only when
// `con_descripcion`). When `con_rotulo`, `rotulo` and `valor` receive the label
// and value of the first RTL row; otherwise, and when there is none, they are
// emptied. Errors gain " - BatchFnc.RecuperoDescYRotulo".
std::string RecuperoDescYRotulo(CDataBase& db, bool con_descripcion, bool con_rotulo,
                                const std::string& iddt, const std::string& nart,
                                const std::string& isbt, std::string& rotulo, std::string& valor);

}  // namespace tipolaria

#endif  // TIPOLARIA_COMMON_BATCHFNC_HPP_
