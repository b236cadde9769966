// The rendering stage as the print operations use it: runs one of the two
// page layouts over the IMP rows of a range and writes the pages it fills
// to a PDF file.
#ifndef TIPOLARIA_REPORTS_REPORTRUNNER_HPP_
#define TIPOLARIA_REPORTS_REPORTRUNNER_HPP_

#include <string>

#include "data/CDataBase.hpp"
#include "reports/PrintRange.hpp"

namespace tipolaria {

// Renders the pages of `kind` within `range` from IMP into the PDF file
// `path` and returns the number of pages written. Any failure leaves no file
// at `path`. Neither the layouts nor the export trap errors: an error leaves
// here with the source it was raised with, and the print operation appends
// its own name. A range that holds no page of the layout is a failure too:
// no empty document is written.
int PrintReport(CDataBase& db, ReportKind kind, const PrintRange& range, const std::string& path);

}  // namespace tipolaria

#endif  // TIPOLARIA_REPORTS_REPORTRUNNER_HPP_
