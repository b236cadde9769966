#include "serve/BearerToken.hpp"

#include <sys/stat.h>

#include <strings.h>
#include <cerrno>
#include <cstring>
#include <fstream>
#include <stdexcept>

namespace tipolaria::serve {
namespace {

constexpr std::size_t kMinTokenLength = 16;

std::string Trimmed(const std::string& text) {
  const char* blanks = " \t\r\n";
  const std::size_t first = text.find_first_not_of(blanks);
  if (first == std::string::npos) return {};
  return text.substr(first, text.find_last_not_of(blanks) - first + 1);
}

}  // namespace

std::string ReadTokenFile(const std::string& path) {
  const std::string name = "the token file \"" + path + "\"";
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0) {
    throw std::runtime_error("cannot read " + name + ": " + std::strerror(errno));
  }
  if ((info.st_mode & S_IROTH) != 0) {
    throw std::runtime_error(name + " can be read by every user of the machine: chmod o-r it");
  }
  std::ifstream in(path);
  std::string line;
  if (!in || !std::getline(in, line)) {
    throw std::runtime_error("cannot read " + name + (in ? ": it is empty" : ""));
  }
  const std::string token = Trimmed(line);
  if (token.size() < kMinTokenLength) {
    throw std::runtime_error(name + " holds a token of fewer than " +
                             std::to_string(kMinTokenLength) +
                             " characters (make one with: openssl rand -hex 32)");
  }
  return token;
}

bool BearerMatches(const std::string& authorization, const std::string& token) {
  constexpr std::string_view kScheme = "bearer ";
  if (authorization.size() != kScheme.size() + token.size()) return false;
  if (::strncasecmp(authorization.c_str(), kScheme.data(), kScheme.size()) != 0) return false;
  // Every character is compared whatever the first difference: the time
  // taken tells an attacker nothing about how much of a guess was right.
  unsigned char difference = 0;
  for (std::size_t i = 0; i < token.size(); ++i) {
    difference |= static_cast<unsigned char>(authorization[kScheme.size() + i] ^ token[i]);
  }
  return difference == 0;
}

}  // namespace tipolaria::serve
