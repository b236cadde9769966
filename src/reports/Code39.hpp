// The bars of a Code 39 symbol, encoded by zint: what the page draws for the
// bar-code label cQOR0. Positions are in modules (narrow bar widths) from
// the start of the symbol, quiet zones included, so that the renderer can
// scale the symbol to any box.
#ifndef TIPOLARIA_REPORTS_CODE39_HPP_
#define TIPOLARIA_REPORTS_CODE39_HPP_

#include <string_view>
#include <vector>

namespace tipolaria {

struct BarcodeBars {
  struct Bar {
    double start;
    double width;
  };
  double total_modules = 0;  // symbol length with both quiet zones
  std::vector<Bar> bars;

  bool empty() const { return bars.empty(); }
};

// Encodes `data` (without the * start and stop characters; the encoder adds
// them). Data outside the Code 39 character set is encoded as Full ASCII
// Code 39; data that neither can carry gives no bars, and the label then
// stays blank rather than print a symbol that reads wrong.
BarcodeBars Code39Bars(std::string_view data);

}  // namespace tipolaria

#endif  // TIPOLARIA_REPORTS_CODE39_HPP_
