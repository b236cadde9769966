// Text helpers shared by the source files of the continuation-page loader:
// the pieces its lines are made of.
#ifndef TIPOLARIA_LOADERS_COMPLEMENTARY_CONTINUATIONTEXT_HPP_
#define TIPOLARIA_LOADERS_COMPLEMENTARY_CONTINUATIONTEXT_HPP_

#include <cstdint>
#include <string>
#include <utility>

#include "imp/CColImp.hpp"
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

// The lines one section loader appends to its section, numbered from 1: the
// number is each line's Posicion (it does not place the line) and ends the
// name of a line that has no name of its own.
class SectionLines {
 public:
  SectionLines(CColImp& section, std::string prefix)
      : section_(section), prefix_(std::move(prefix)) {}

  void operator()(std::string valor) {
    (*this)(prefix_ + std::to_string(number_), std::move(valor));
  }
  void operator()(std::string nombre, std::string valor) {
    section_.Add(std::move(nombre), std::move(valor), std::to_string(number_));
    ++number_;
  }

 private:
  CColImp& section_;
  std::string prefix_;
  int number_ = 1;
};

}  // namespace tipolaria::detail

#endif  // TIPOLARIA_LOADERS_COMPLEMENTARY_CONTINUATIONTEXT_HPP_
