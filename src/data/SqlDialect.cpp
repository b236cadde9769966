#include "data/SqlDialect.hpp"

#include <cctype>
#include <optional>

#include "data/DatabaseErrors.hpp"
#include "runtime/Value.hpp"

namespace tipolaria {
namespace {

bool IsWordChar(char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_'; }

// Matches `word` (any case) at `pos`, as a whole word.
bool WordAt(std::string_view s, std::size_t pos, std::string_view word) {
  if (pos + word.size() > s.size()) return false;
  if (pos > 0 && IsWordChar(s[pos - 1])) return false;
  for (std::size_t i = 0; i < word.size(); ++i) {
    if (std::tolower(static_cast<unsigned char>(s[pos + i])) !=
        std::tolower(static_cast<unsigned char>(word[i])))
      return false;
  }
  return pos + word.size() == s.size() || !IsWordChar(s[pos + word.size()]);
}

void SkipBlanks(std::string_view s, std::size_t& pos) {
  while (pos < s.size() && std::isspace(static_cast<unsigned char>(s[pos]))) ++pos;
}

bool Expect(std::string_view s, std::size_t& pos, std::string_view token) {
  SkipBlanks(s, pos);
  if (!WordAt(s, pos, token) && s.substr(pos, token.size()) != token) return false;
  pos += token.size();
  return true;
}

// Reads a single-quoted literal at `pos` (with '' for a quote); moves past it.
std::optional<std::string> Literal(std::string_view s, std::size_t& pos) {
  SkipBlanks(s, pos);
  if (pos >= s.size() || s[pos] != '\'') return std::nullopt;
  std::string out;
  for (std::size_t i = pos + 1; i < s.size(); ++i) {
    if (s[i] == '\'') {
      if (i + 1 < s.size() && s[i + 1] == '\'') {
        out.push_back('\'');
        ++i;
        continue;
      }
      pos = i + 1;
      return out;
    }
    out.push_back(s[i]);
  }
  return std::nullopt;
}

// CONVERT(datetime, '<text>', 103) at `pos`; on a match returns the SQLite
// literal and moves `pos` past the closing parenthesis.
std::optional<std::string> ConvertAt(std::string_view s, std::size_t& pos) {
  std::size_t p = pos;
  if (!WordAt(s, p, "convert")) return std::nullopt;
  p += 7;
  if (!Expect(s, p, "(") || !Expect(s, p, "datetime") || !Expect(s, p, ",")) return std::nullopt;
  const auto text = Literal(s, p);
  if (!text || !Expect(s, p, ",") || !Expect(s, p, "103") || !Expect(s, p, ")")) {
    return std::nullopt;
  }
  const auto date = DateTime::ParseDmy(*text);
  if (!date) {
    RaiseDatabaseError("SqlDialect",
                       "The conversion of a varchar data type to a datetime data type resulted "
                       "in an out-of-range value: '" +
                           *text + "'",
                       kErrConversion);
  }
  pos = p;
  return "'" + date->ToIso() + "'";
}

bool StartsWithDataStatement(std::string_view s) {
  std::size_t pos = 0;
  SkipBlanks(s, pos);
  for (std::string_view word : {"select", "insert", "update", "delete", "with"}) {
    if (WordAt(s, pos, word)) return true;
  }
  return false;
}

}  // namespace

std::optional<StatementShape> ShapeOf(std::string_view s) {
  if (!StartsWithDataStatement(s)) return std::nullopt;
  StatementShape shape;
  shape.text.reserve(s.size());
  std::size_t pos = 0;
  while (pos < s.size()) {
    const char c = s[pos];
    if (c == '\'') {
      // X'..' is a blob and N'..' not SQLite's: only a literal standing on
      // its own is read as text.
      if (pos > 0 && IsWordChar(s[pos - 1])) return std::nullopt;
      auto literal = Literal(s, pos);
      if (!literal) return std::nullopt;
      shape.literals.push_back(std::move(*literal));
      shape.text.push_back('?');
      continue;
    }
    switch (c) {
      case '?':
      case ':':
      case '@':
      case '$':  // parameters of its own
      case '"':
      case '[':
      case '`':  // quoted names
        return std::nullopt;
      case '-':
      case '/':  // comments
        if (pos + 1 < s.size() && (s[pos + 1] == '-' || s[pos + 1] == '*')) return std::nullopt;
        break;
      default:
        break;
    }
    shape.text.push_back(c);
    ++pos;
  }
  return shape;
}

std::string TranslateToSqlite(std::string_view s) {
  std::string out;
  out.reserve(s.size());
  std::size_t pos = 0;
  SkipBlanks(s, pos);
  if (WordAt(s, pos, "truncate")) {
    std::size_t p = pos + 8;
    if (Expect(s, p, "table")) {
      out = "DELETE FROM";
      pos = p;
    }
  }
  while (pos < s.size()) {
    const char c = s[pos];
    if (c == '\'') {  // copy a literal untouched
      const std::size_t start = pos;
      if (!Literal(s, pos)) pos = s.size();
      out.append(s.substr(start, pos - start));
      continue;
    }
    const char lower = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (lower != 'c' && lower != 'i') {  // neither CONVERT nor isnull starts here
      out.push_back(c);
      ++pos;
      continue;
    }
    if (auto date = ConvertAt(s, pos)) {
      out += *date;
      continue;
    }
    if (WordAt(s, pos, "isnull")) {
      std::size_t p = pos + 6;
      SkipBlanks(s, p);
      if (p < s.size() && s[p] == '(') {
        out += "ifnull";
        pos += 6;
        continue;
      }
    }
    out.push_back(c);
    ++pos;
  }
  return out;
}

}  // namespace tipolaria
