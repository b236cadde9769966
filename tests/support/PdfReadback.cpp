#include "support/PdfReadback.hpp"

#include <gtest/gtest.h>

#include <sys/wait.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <regex>
#include <set>
#include <sstream>
#include <tuple>

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

// Every PDF the tests read is also checked by a second reader: qpdf finds
// the structural faults (cross-reference table, stream lengths, object
// syntax) that a lenient viewer repairs silently. Each version of a file is
// checked once.
void ExpectAcceptedByQpdf(const std::string& pdf) {
  static std::set<std::tuple<std::string, std::uintmax_t, std::filesystem::file_time_type>> checked;
  std::error_code error;
  const auto size = std::filesystem::file_size(pdf, error);
  if (error) return;  // the reader that follows reports the missing file
  if (!checked.emplace(pdf, size, std::filesystem::last_write_time(pdf, error)).second) return;
  const std::string report = CommandOutput("qpdf --check " + Quote(pdf) + " 2>&1");
  EXPECT_NE(report.find("No syntax or stream encoding errors found"), std::string::npos)
      << pdf << ":\n"
      << report;
}

// A binary grey map ("P5", width, height, maximum value 255, then one byte
// a pixel) as both readers write it.
GreyPicture ReadGreyMap(const std::string& pgm, const std::string& pdf) {
  std::istringstream header(pgm);
  std::string magic;
  GreyPicture picture;
  int max_value = 0;
  header >> magic >> picture.width >> picture.height >> max_value;
  EXPECT_EQ(magic, "P5") << "no picture of " << pdf;
  EXPECT_EQ(max_value, 255) << pdf;
  const std::size_t data = static_cast<std::size_t>(header.tellg()) + 1;
  const std::size_t size = static_cast<std::size_t>(picture.width) * picture.height;
  if (magic != "P5" || max_value != 255 || pgm.size() < data + size) return {};
  picture.pixels.assign(pgm.begin() + data, pgm.begin() + data + size);
  return picture;
}

}  // namespace

std::string DocumentBytes(const std::string& pdf) {
  std::ifstream in(pdf, std::ios::binary);
  EXPECT_TRUE(in) << pdf;
  std::string bytes(std::istreambuf_iterator<char>(in), {});
  const std::size_t date = bytes.find("/CreationDate (");
  if (date != std::string::npos) bytes.erase(date, bytes.find(')', date) - date);
  return bytes;
}

std::string CommandOutput(const std::string& command) {
  FILE* pipe = popen(command.c_str(), "r");
  EXPECT_NE(pipe, nullptr) << command;
  if (pipe == nullptr) return {};
  std::string output;
  std::array<char, 4096> buffer;
  for (std::size_t n; (n = fread(buffer.data(), 1, buffer.size(), pipe)) > 0;) {
    output.append(buffer.data(), n);
  }
  // A program that is missing or fails must fail the test where it ran,
  // not as a puzzling result further on (127: the shell found no program).
  const int status = pclose(pipe);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0)
      << "\"" << command << "\" ended with status "
      << (WIFEXITED(status) ? WEXITSTATUS(status) : -1)
      << (WIFEXITED(status) && WEXITSTATUS(status) == 127 ? " (program not installed?)" : "");
  return output;
}

std::vector<PdfWord> ReadWords(const std::string& pdf) {
  ExpectAcceptedByQpdf(pdf);
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
  ExpectAcceptedByQpdf(pdf);
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
  ExpectAcceptedByQpdf(pdf);
  return CommandOutput("pdffonts " + Quote(pdf) + " 2>/dev/null");
}

std::string ScanBarcodes(const std::string& pdf, int page) {
  ExpectAcceptedByQpdf(pdf);
  const std::string folder = MakeTempFolder();
  const std::string prefix = folder + "/page";
  const std::string page_text = std::to_string(page);
  CommandOutput("pdftoppm -r 300 -mono -png -singlefile -f " + page_text + " -l " + page_text +
                " " + Quote(pdf) + " " + Quote(prefix));
  std::string decoded =
      CommandOutput("zbarimg -q --raw " + Quote(prefix + ".png") + " 2>/dev/null");
  std::filesystem::remove_all(folder);
  while (!decoded.empty() && (decoded.back() == '\n' || decoded.back() == '\r')) decoded.pop_back();
  return decoded;
}

std::optional<InkBox> FindInk(const std::string& pdf, int page, double x, double y, double width,
                              double height, double dpi) {
  ExpectAcceptedByQpdf(pdf);
  const double scale = dpi / 72.0;
  const auto px = [&](double points) { return std::to_string(std::lround(points * scale)); };
  const std::string page_text = std::to_string(page);
  // A binary grey map: "P5", width, height, maximum value, then one byte a
  // pixel.
  const GreyPicture picture = ReadGreyMap(
      CommandOutput("pdftoppm -gray -r " + std::to_string(dpi) + " -f " + page_text + " -l " +
                    page_text + " -x " + px(x) + " -y " + px(y) + " -W " + px(width) + " -H " +
                    px(height) + " " + Quote(pdf) + " 2>/dev/null"),
      pdf);
  const int columns = picture.width;
  std::optional<InkBox> ink;
  for (int r = 0; r < picture.height; ++r) {
    for (int c = 0; c < columns; ++c) {
      if (picture.pixels[r * columns + c] == 255) continue;
      const double left = std::lround(x * scale) / scale + c / scale;
      const double top = std::lround(y * scale) / scale + r / scale;
      if (!ink) ink = InkBox{left, top, left, top};
      ink->x_min = std::min(ink->x_min, left);
      ink->y_min = std::min(ink->y_min, top);
      ink->x_max = std::max(ink->x_max, left + 1 / scale);
      ink->y_max = std::max(ink->y_max, top + 1 / scale);
    }
  }
  return ink;
}

GreyPicture DrawPage(const std::string& pdf, int page, int dpi, PdfReader reader) {
  ExpectAcceptedByQpdf(pdf);
  const std::string page_text = std::to_string(page);
  const std::string resolution = std::to_string(dpi);
  // MuPDF warns on stderr that it draws without colour management.
  const std::string command = reader == PdfReader::kPoppler
                                  ? "pdftoppm -gray -r " + resolution + " -f " + page_text +
                                        " -l " + page_text + " " + Quote(pdf) + " 2>/dev/null"
                                  : "mutool draw -q -r " + resolution + " -c gray -F pnm -o - " +
                                        Quote(pdf) + " " + page_text + " 2>/dev/null";
  return ReadGreyMap(CommandOutput(command), pdf);
}

}  // namespace tipolaria::testing
