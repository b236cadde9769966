// Reads a PDF the way a person or a scanner would, through poppler-utils and
// zbar-tools: its words with their boxes, its document information, its
// fonts, and the bar codes of a page printed at 300 dpi.
#ifndef TIPOLARIA_TESTS_SUPPORT_PDFREADBACK_HPP_
#define TIPOLARIA_TESTS_SUPPORT_PDFREADBACK_HPP_

#include <optional>
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

// Standard output of a shell command; fails the test when it cannot run or
// ends with a status other than 0.
std::string CommandOutput(const std::string& command);

// A PDF file's bytes without the moment it was written (its CreationDate),
// the one thing in which two prints of the same pages differ.
std::string DocumentBytes(const std::string& pdf);

std::vector<PdfWord> ReadWords(const std::string& pdf);
int PageCount(const std::string& pdf);
// One line of pdfinfo ("Title"), without its label.
std::string InfoField(const std::string& pdf, const std::string& field);
// pdffonts' listing.
std::string FontList(const std::string& pdf);
// The data zbarimg reads on `page` printed in black and white at 300 dpi.
std::string ScanBarcodes(const std::string& pdf, int page);

// Where `page` shows ink (any pixel not white, grey included) within the
// region from (x, y), `width` by `height`, all in points, rendered at `dpi`:
// the ink's bounding box in points, or nullopt for a blank region.
struct InkBox {
  double x_min = 0;
  double y_min = 0;
  double x_max = 0;
  double y_max = 0;
};
std::optional<InkBox> FindInk(const std::string& pdf, int page, double x, double y, double width,
                              double height, double dpi);

// A page drawn in shades of grey, 0 black to 255 white, row by row.
struct GreyPicture {
  int width = 0;
  int height = 0;
  std::vector<unsigned char> pixels;
};
// Which program draws it: poppler (pdftoppm) or MuPDF (mutool draw).
enum class PdfReader { kPoppler, kMupdf };
GreyPicture DrawPage(const std::string& pdf, int page, int dpi, PdfReader reader);

}  // namespace tipolaria::testing

#endif  // TIPOLARIA_TESTS_SUPPORT_PDFREADBACK_HPP_
