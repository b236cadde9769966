#include "support/PdfReadback.hpp"

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <memory>
#include <regex>
#include <sstream>

#include "support/TestDatabase.hpp"

namespace tipolaria::testing {
namespace {

std::string Quote(const std::string& text) { return "'" + text + "'"; }

std::string UnescapeHtml(std::string text) {
  static const std::array<std::pair<const char*, const char*>, 5> kEntities = {
      {{"&lt;", "<"}, {"&gt;", ">"}, {"&quot;", "\""}, {"&apos;", "'"}, {"&amp;", "&"}}};
  for (const auto& [entity, plain] : kEntities) {
    for (std::size_t pos; (pos = text.find(entity)) != std::string::npos;) {
      text.replace(pos, std::string(entity).size(), plain);
    }
  }
  return text;
}

}  // namespace

std::string CommandOutput(const std::string& command) {
  std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(command.c_str(), "r"), pclose);
  EXPECT_NE(pipe, nullptr) << command;
  if (!pipe) return {};
  std::string output;
  std::array<char, 4096> buffer;
  for (std::size_t n; (n = fread(buffer.data(), 1, buffer.size(), pipe.get())) > 0;) {
    output.append(buffer.data(), n);
  }
  return output;
}

std::vector<PdfWord> ReadWords(const std::string& pdf) {
  const std::string html = CommandOutput("pdftotext -bbox " + Quote(pdf) + " - 2>/dev/null");
  static const std::regex kLine(
      R"re(<page |<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">([^<]*)</word>)re");
  std::vector<PdfWord> words;
  int page = 0;
  for (std::sregex_iterator it(html.begin(), html.end(), kLine), end; it != end; ++it) {
    const std::smatch& m = *it;
    if (!m[1].matched) {
      ++page;
      continue;
    }
    words.push_back({page, std::stod(m[1]), std::stod(m[2]), std::stod(m[3]), std::stod(m[4]),
                     UnescapeHtml(m[5])});
  }
  return words;
}

int PageCount(const std::string& pdf) {
  const std::string pages = InfoField(pdf, "Pages");
  return pages.empty() ? 0 : std::stoi(pages);
}

std::string InfoField(const std::string& pdf, const std::string& field) {
  std::istringstream info(CommandOutput("pdfinfo " + Quote(pdf) + " 2>/dev/null"));
  for (std::string line; std::getline(info, line);) {
    if (line.rfind(field + ":", 0) == 0) {
      const std::size_t value = line.find_first_not_of(' ', field.size() + 1);
      return value == std::string::npos ? "" : line.substr(value);
    }
  }
  return {};
}

std::string FontList(const std::string& pdf) {
  return CommandOutput("pdffonts " + Quote(pdf) + " 2>/dev/null");
}

std::string ScanBarcodes(const std::string& pdf, int page) {
  const std::string folder = MakeTempFolder();
  const std::string prefix = folder + "/page";
  const std::string page_text = std::to_string(page);
  CommandOutput("pdftoppm -r 300 -mono -png -singlefile -f " + page_text + " -l " + page_text +
                " " + Quote(pdf) + " " + Quote(prefix));
  std::string decoded =
      CommandOutput("zbarimg -q --raw " + Quote(prefix + ".png") + " 2>/dev/null");
  CommandOutput("rm -rf " + Quote(folder));
  while (!decoded.empty() && (decoded.back() == '\n' || decoded.back() == '\r')) decoded.pop_back();
  return decoded;
}

}  // namespace tipolaria::testing
