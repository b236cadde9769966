// Reads a PDF the way a person or a scanner would, through poppler-utils and
// zbar-tools: its words with their boxes, its document information, its
// fonts, and the bar codes of a page printed at 300 dpi.
#ifndef TIPOLARIA_TESTS_SUPPORT_PDFREADBACK_HPP_
#define TIPOLARIA_TESTS_SUPPORT_PDFREADBACK_HPP_

#include <string>
#include <vector>

namespace tipolaria::testing {

struct PdfWord {
  int page = 0;  // 1-based
  double x_min = 0;
  double y_min = 0;
  double x_max = 0;
  double y_max = 0;
  std::string text;
};

// Standard output of a shell command; fails the test when it cannot run.
std::string CommandOutput(const std::string& command);

std::vector<PdfWord> ReadWords(const std::string& pdf);
int PageCount(const std::string& pdf);
// One line of pdfinfo ("Title"), without its label.
std::string InfoField(const std::string& pdf, const std::string& field);
// pdffonts' listing.
std::string FontList(const std::string& pdf);
// The data zbarimg reads on `page` printed in black and white at 300 dpi.
std::string ScanBarcodes(const std::string& pdf, int page);

}  // namespace tipolaria::testing

#endif  // TIPOLARIA_TESTS_SUPPORT_PDFREADBACK_HPP_
