#include "BatchList.hpp"

#include <cstdio>

namespace tipolaria::cli {

std::vector<std::string> ReadBatchList(std::istream& in) {
  std::vector<std::string> list;
  for (std::string line; std::getline(in, line);) {
    const std::size_t first = line.find_first_not_of(" \t\r");
    if (first == std::string::npos) continue;
    const std::size_t last = line.find_last_not_of(" \t\r");
    list.push_back(line.substr(first, last - first + 1));
  }
  return list;
}

std::string FileStem(const std::string& iddtext) {
  std::string stem;
  for (const char c : iddtext) {
    const auto byte = static_cast<unsigned char>(c);
    if (c == '/' || c == '\\' || c == '%' || byte < 0x20 || byte == 0x7f) {
      char escaped[4];
      std::snprintf(escaped, sizeof escaped, "%%%02X", byte);
      stem += escaped;
    } else {
      stem += c;
    }
  }
  return stem;
}

}  // namespace tipolaria::cli
