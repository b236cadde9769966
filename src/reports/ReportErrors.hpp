// Error numbers the rendering stage raises, in the numbering of the
// original runtime, and the source it gives them (the component's name, as
// the runtime's own errors have). Descriptions are written where raised.
#ifndef TIPOLARIA_REPORTS_REPORTERRORS_HPP_
#define TIPOLARIA_REPORTS_REPORTERRORS_HPP_

#include "runtime/Trap.hpp"

namespace tipolaria {

inline constexpr const char* kReportSource = kRuntimeSource;

// The requested range holds no page of the layout's type.
inline constexpr long kErrReportNoPage = kErrInvalidProcedureCall;
// A row of IMP names no field of the layout.
inline constexpr long kErrReportUnknownField = kErrSubscriptOutOfRange;
// "Path/File access error": the PDF file cannot be written.
inline constexpr long kErrReportPath = 75;
// "File not found": the logo or a font cannot be read.
inline constexpr long kErrReportResource = 53;
// The drawing library failed.
inline constexpr long kErrReportDrawing = kErrInternal;

}  // namespace tipolaria

#endif  // TIPOLARIA_REPORTS_REPORTERRORS_HPP_
