#include "data/ConnectionString.hpp"

#include <algorithm>
#include <cctype>

#include "data/DatabaseErrors.hpp"
#include "runtime/Strings.hpp"

namespace tipolaria {
namespace {

std::string Lower(std::string s) {
  for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return s;
}

bool StartsWithNoCase(const std::string& text, const std::string& prefix) {
  return text.size() >= prefix.size() && Lower(text.substr(0, prefix.size())) == prefix;
}

[[noreturn]] void BadConnectionString(const std::string& why) {
  RaiseDatabaseError("ConnectionString", "Invalid connection string: " + why);
}

bool IsPasswordKey(const std::string& lower_key) {
  return lower_key == "password" || lower_key == "pwd";
}

const std::string* Find(const std::vector<std::pair<std::string, std::string>>& pairs,
                        const std::string& key) {
  for (const auto& [k, v] : pairs)
    if (k == key) return &v;
  return nullptr;
}

// Which ODBC driver serves SQL Server here: the vendor's when registered,
// otherwise FreeTDS.
std::string SqlServerToOdbc(const std::vector<std::pair<std::string, std::string>>& pairs) {
  std::string odbc = "Driver={FreeTDS};";
  const auto add = [&](const char* from, const char* to) {
    if (const std::string* v = Find(pairs, from)) odbc += std::string(to) + "={" + *v + "};";
  };
  add("data source", "Server");
  add("server", "Server");
  add("initial catalog", "Database");
  add("database", "Database");
  add("user id", "UID");
  add("uid", "UID");
  add("password", "PWD");
  add("pwd", "PWD");
  if (const std::string* v = Find(pairs, "integrated security")) {
    if (Lower(*v) == "sspi" || Lower(*v) == "true") odbc += "Trusted_Connection=yes;";
  }
  return odbc;
}

}  // namespace

std::vector<std::pair<std::string, std::string>> SplitConnectionString(const std::string& text) {
  std::vector<std::pair<std::string, std::string>> pairs;
  std::size_t pos = 0;
  while (pos < text.size()) {
    const std::size_t eq = text.find('=', pos);
    if (eq == std::string::npos) {
      if (Trim(text.substr(pos)).empty()) break;
      // After a password, the piece is most likely the rest of the password.
      if (!pairs.empty() && IsPasswordKey(pairs.back().first)) {
        BadConnectionString(
            "a part without \"=\" follows the password (quote a password "
            "holding \";\" in {...})");
      }
      BadConnectionString("\"" + Trim(text.substr(pos)) + "\" has no \"=\"");
    }
    const std::string key = Lower(Trim(text.substr(pos, eq - pos)));
    if (key.empty()) {
      BadConnectionString("a value without a key at \"" + MaskPasswords(text.substr(pos)) + "\"");
    }
    std::size_t vpos = eq + 1;
    while (vpos < text.size() && text[vpos] == ' ') ++vpos;
    std::string value;
    if (vpos < text.size() && (text[vpos] == '"' || text[vpos] == '\'' || text[vpos] == '{')) {
      const char close = text[vpos] == '{' ? '}' : text[vpos];
      const std::size_t end = text.find(close, vpos + 1);
      if (end == std::string::npos) BadConnectionString("unclosed quote in the value of " + key);
      value = text.substr(vpos + 1, end - vpos - 1);
      pos = text.find(';', end);
      pos = pos == std::string::npos ? text.size() : pos + 1;
    } else {
      const std::size_t end = text.find(';', vpos);
      value = Trim(text.substr(vpos, end == std::string::npos ? std::string::npos : end - vpos));
      pos = end == std::string::npos ? text.size() : end + 1;
    }
    pairs.emplace_back(key, value);
  }
  return pairs;
}

ConnectionTarget ParseConnectionString(const std::string& text) {
  ConnectionTarget target;
  if (StartsWithNoCase(text, "sqlite:")) {
    target.sqlite_path = text.substr(7);
    if (target.sqlite_path.empty()) BadConnectionString("\"sqlite:\" names no file");
    return target;
  }
  if (Trim(text).empty()) BadConnectionString("the connection string is empty");
  const auto pairs = SplitConnectionString(text);
  if (const std::string* provider = Find(pairs, "provider")) {
    const std::string p = Lower(*provider);
    if (p == "sqlite") {
      const std::string* path = Find(pairs, "data source");
      if (path == nullptr || path->empty()) BadConnectionString("\"Data Source\" is missing");
      target.sqlite_path = *path;
      return target;
    }
    if (p.rfind("sqloledb", 0) == 0 || p.rfind("sqlncli", 0) == 0 ||
        p.rfind("msoledbsql", 0) == 0) {
      target.kind = ConnectionTarget::Kind::kOdbc;
      target.odbc = SqlServerToOdbc(pairs);
      return target;
    }
    BadConnectionString("unknown provider \"" + *provider + "\"");
  }
  if (Find(pairs, "driver") != nullptr || Find(pairs, "dsn") != nullptr) {
    target.kind = ConnectionTarget::Kind::kOdbc;
    target.odbc = text;
    return target;
  }
  BadConnectionString("no provider, driver or DSN is named");
}

std::string MaskPasswords(const std::string& text) {
  std::string out;
  std::size_t pos = 0;
  while (pos < text.size()) {
    const std::size_t eq = text.find('=', pos);
    const std::size_t semicolon = text.find(';', pos);
    if (eq == std::string::npos || (semicolon != std::string::npos && semicolon < eq)) {
      // A piece without a key: copied up to the next separator.
      const std::size_t end = semicolon == std::string::npos ? text.size() : semicolon + 1;
      out += text.substr(pos, end - pos);
      pos = end;
      continue;
    }
    out += text.substr(pos, eq + 1 - pos);
    const bool secret = IsPasswordKey(Lower(Trim(text.substr(pos, eq - pos))));
    // The value ends at its closing quote or brace, or at the next ";".
    std::size_t vpos = eq + 1;
    while (vpos < text.size() && text[vpos] == ' ') ++vpos;
    std::size_t end = text.find(';', vpos);
    if (vpos < text.size() && (text[vpos] == '"' || text[vpos] == '\'' || text[vpos] == '{')) {
      const std::size_t close = text.find(text[vpos] == '{' ? '}' : text[vpos], vpos + 1);
      end = close == std::string::npos ? std::string::npos : text.find(';', close);
    }
    if (end == std::string::npos) end = text.size();
    out += secret ? std::string("****") : text.substr(eq + 1, end - eq - 1);
    if (end < text.size()) out += ';';
    pos = end + 1;
  }
  return out;
}

}  // namespace tipolaria
