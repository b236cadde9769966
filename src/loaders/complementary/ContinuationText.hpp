// Text helpers shared by the source files of the continuation-page loader:
// the pieces its lines are made of.
#ifndef TIPOLARIA_LOADERS_COMPLEMENTARY_CONTINUATIONTEXT_HPP_
#define TIPOLARIA_LOADERS_COMPLEMENTARY_CONTINUATIONTEXT_HPP_

#include <cstdint>
#include <string>

#include "runtime/Strings.hpp"

namespace tipolaria::detail {

// `value` right-aligned in a column `width` characters wide. A value wider
// than its column is printed whole, without padding: a long file number must
// not stop the whole declaration from printing.
inline std::string AlignRight(const std::string& value, std::int64_t width) {
  const std::int64_t length = Len(value);
  return length >= width ? value : Space(width - length) + value;
}

// A separator line of `count` dashes.
inline std::string Dashes(std::int64_t count) {
  return std::string(static_cast<std::size_t>(count), '-');
}

}  // namespace tipolaria::detail

#endif  // TIPOLARIA_LOADERS_COMPLEMENTARY_CONTINUATIONTEXT_HPP_
