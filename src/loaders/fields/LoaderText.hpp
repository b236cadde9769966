// Small text helpers shared by the loaders of the cover and the item pages.
#ifndef TIPOLARIA_LOADERS_FIELDS_LOADERTEXT_HPP_
#define TIPOLARIA_LOADERS_FIELDS_LOADERTEXT_HPP_

#include <string>
#include <string_view>

#include "common/UtilFnc.hpp"
#include "data/Recordset.hpp"
#include "runtime/Strings.hpp"

namespace tipolaria::detail {

// A column of the current row as text, Null giving empty text.
inline std::string Texto(const Recordset& rs, std::string_view column) {
  return ValorTexto(rs.Field(column));
}

// The number of line breaks (CR LF pairs) in `text`.
inline int ContarSaltos(std::string_view text) {
  int count = 0;
  for (std::size_t at = text.find(kCrLf); at != std::string_view::npos;
       at = text.find(kCrLf, at + 2)) {
    ++count;
  }
  return count;
}

// Every occurrence of `from` replaced by `to`, in one pass from the left.
inline std::string Reemplazar(std::string_view text, std::string_view from, std::string_view to) {
  std::string out;
  std::size_t start = 0;
  for (std::size_t at = text.find(from); at != std::string_view::npos;
       at = text.find(from, start)) {
    out.append(text.substr(start, at - start)).append(to);
    start = at + from.size();
  }
  out.append(text.substr(start));
  return out;
}

}  // namespace tipolaria::detail

#endif  // TIPOLARIA_LOADERS_FIELDS_LOADERTEXT_HPP_
