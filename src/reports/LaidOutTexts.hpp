// The laid-out lines of the texts a thread last drew in each control of the
// two layouts. Most texts come back on every page and in every document
// (captions, asterisks, the header), so each control keeps the layout of its
// last text for as long as the thread lives; a control's box never changes.
// One per thread (ForThisThread), so that sessions printing at once in
// several threads never share one and need no lock: a thread keeps the
// layouts of its texts from one session's document to the next.
#ifndef TIPOLARIA_REPORTS_LAIDOUTTEXTS_HPP_
#define TIPOLARIA_REPORTS_LAIDOUTTEXTS_HPP_

#include <cstddef>
#include <string>
#include <unordered_map>
#include <vector>

#include "reports/Layout.hpp"
#include "reports/TextLayout.hpp"

namespace tipolaria {

class LaidOutTexts {
 public:
  static LaidOutTexts& ForThisThread();

  // The lines of control `index` of `layout` showing `text` in `box`; valid
  // until the next call for the same control.
  const std::vector<PlacedLine>& LaidOut(const Layout& layout, std::size_t index,
                                         const std::string& text, const TextBox& box);

 private:
  struct Entry {
    bool valid = false;
    std::string text;
    TextBox box;
    std::vector<PlacedLine> lines;
  };
  std::unordered_map<const Layout*, std::vector<Entry>> by_layout_;
};

}  // namespace tipolaria

#endif  // TIPOLARIA_REPORTS_LAIDOUTTEXTS_HPP_
