#include "WholeNumber.hpp"

#include <charconv>
#include <string>

namespace tipolaria::cli {

CLI::Validator WholeNumber(std::int64_t min, std::int64_t max) {
  const std::string range = "from " + std::to_string(min) + " to " + std::to_string(max);
  return CLI::Validator(
      [min, max, range](std::string& text) -> std::string {
        const char* first = text.data();
        const char* last = first + text.size();
        if (first != last && *first == '+' && last - first > 1 && first[1] != '-') ++first;
        std::int64_t value = 0;
        const auto [end, error] = std::from_chars(first, last, value);
        if (first == last || error != std::errc() || end != last || value < min || value > max) {
          return text + " is not a whole number " + range;
        }
        text = std::to_string(value);
        return {};
      },
      range);
}

}  // namespace tipolaria::cli
