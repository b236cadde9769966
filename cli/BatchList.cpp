#include "BatchList.hpp"

#include "EscapedBytes.hpp"

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
  return EscapeBytes(iddtext, "%", [](unsigned char byte) {
    return byte == '/' || byte == '\\' || byte == '%' || byte < 0x20 || byte == 0x7f;
  });
}

}  // namespace tipolaria::cli
