#include "data/ConnectionString.hpp"

#include <algorithm>
#include <cctype>
#include <cstdlib>

#include "data/DatabaseErrors.hpp"
#include "data/OdbcDrivers.hpp"
#include "runtime/Strings.hpp"

namespace tipolaria {
namespace {

using Pairs = std::vector<std::pair<std::string, std::string>>;

std::string Lower(std::string s) {
  for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return s;
}

bool StartsWithNoCase(const std::string& text, const std::string& prefix) {
  return text.size() >= prefix.size() && Lower(text.substr(0, prefix.size())) == prefix;
}

bool IsPasswordKey(const std::string& lower_key) {
  return lower_key == "password" || lower_key == "pwd";
}

[[noreturn]] void BadConnectionString(const std::string& why) {
  RaiseDatabaseError("ConnectionString", "Invalid connection string: " + why);
}

// One value of a key=value pair, read from just after its "=".
struct ScannedValue {
  std::string value;
  std::size_t end = 0;  // just after the ";" that ends the pair, or the text's end
  bool closed = true;   // false for a quote that is never closed
};

// A value is bare (blanks around it trimmed) or quoted with "..." or '...'
// (the quote doubled inside) or {...} ("}}" inside), as ODBC and ADO write it.
ScannedValue ScanValue(const std::string& text, std::size_t pos) {
  ScannedValue v;
  while (pos < text.size() && text[pos] == ' ') ++pos;
  if (pos < text.size() && (text[pos] == '"' || text[pos] == '\'' || text[pos] == '{')) {
    const char close = text[pos] == '{' ? '}' : text[pos];
    std::size_t i = pos + 1;
    v.closed = false;
    for (; i < text.size(); ++i) {
      if (text[i] == close) {
        if (i + 1 < text.size() && text[i + 1] == close) {
          v.value.push_back(close);
          ++i;
          continue;
        }
        v.closed = true;
        break;
      }
      v.value.push_back(text[i]);
    }
    if (!v.closed) {
      v.end = text.size();
      return v;
    }
    const std::size_t semi = text.find(';', i);
    v.end = semi == std::string::npos ? text.size() : semi + 1;
    return v;
  }
  const std::size_t semi = text.find(';', pos);
  v.value = Trim(text.substr(pos, semi == std::string::npos ? std::string::npos : semi - pos));
  v.end = semi == std::string::npos ? text.size() : semi + 1;
  return v;
}

const std::string* Find(const Pairs& pairs, const std::string& key) {
  for (const auto& [k, v] : pairs)
    if (k == key) return &v;
  return nullptr;
}

// A value written for an ODBC connection string: in braces, "}" doubled.
std::string Braced(const std::string& value) {
  std::string out = "{";
  for (char c : value) {
    out.push_back(c);
    if (c == '}') out.push_back('}');
  }
  return out + "}";
}

bool IsFreeTds(const std::string& driver);

// A value as the chosen driver reads it back exactly. The vendor's driver
// follows ODBC: in braces, "}" doubled. FreeTDS takes a braced value up to
// the first "}" followed by ";" (or the end) and undoes no doubling: the
// value goes in braces as it stands, and one holding "};" cannot be given.
std::string DriverValue(const std::string& driver, const std::string& key,
                        const std::string& value) {
  if (!IsFreeTds(driver)) return Braced(value);
  if (value.find("};") != std::string::npos) {
    BadConnectionString("FreeTDS cannot be given a value of " + key +
                        " that holds \"};\" (change it, or use a DSN)");
  }
  return "{" + value + "}";
}

bool IsTrue(const std::string& value) {
  const std::string v = Lower(value);
  return v == "true" || v == "yes" || v == "sspi";
}

bool IsFreeTds(const std::string& driver) {
  const std::string name = Lower(driver);
  return name.find("freetds") != std::string::npos || name.find("tdsodbc") != std::string::npos;
}

// The server as the chosen driver writes it. Both drivers know "localhost"
// for the providers' "(local)" and "."; FreeTDS takes the port apart and knows
// no "tcp:" prefix.
std::string ServerPairs(const std::string& driver, std::string server) {
  if (StartsWithNoCase(server, "tcp:")) server = server.substr(4);
  for (const char* local : {"(local)", "."}) {
    const std::string l = local;
    if (Lower(server) == l || StartsWithNoCase(server, l + "\\")) {
      server = "localhost" + server.substr(l.size());
    }
  }
  if (IsFreeTds(driver)) {
    const std::size_t comma = server.find(',');
    if (comma != std::string::npos) {
      return "Server=" + DriverValue(driver, "Server", Trim(server.substr(0, comma))) +
             ";Port=" + DriverValue(driver, "Port", Trim(server.substr(comma + 1))) + ";";
    }
  }
  return "Server=" + DriverValue(driver, "Server", server) + ";";
}

// An OLE DB string of the SQL Server providers, in the chosen driver's words.
std::string SqlServerToOdbc(const Pairs& pairs, const std::string& driver) {
  std::string odbc = "Driver=" + Braced(driver) + ";";
  for (const char* key : {"data source", "server", "address", "addr"}) {
    if (const std::string* v = Find(pairs, key)) {
      odbc += ServerPairs(driver, *v);
      break;
    }
  }
  const auto add = [&](std::initializer_list<const char*> from, const char* to) {
    for (const char* key : from) {
      if (const std::string* v = Find(pairs, key)) {
        odbc += std::string(to) + "=" + DriverValue(driver, to, *v) + ";";
        return;
      }
    }
  };
  add({"initial catalog", "database"}, "Database");
  add({"user id", "uid"}, "UID");
  add({"password", "pwd"}, "PWD");
  add({"application name", "app"}, "APP");
  const std::string* integrated = Find(pairs, "integrated security");
  if (integrated == nullptr) integrated = Find(pairs, "trusted_connection");
  if (integrated != nullptr && IsTrue(*integrated)) odbc += "Trusted_Connection=yes;";
  const std::string* encrypt = Find(pairs, "use encryption for data");
  const bool encrypted = encrypt != nullptr && IsTrue(*encrypt);
  if (IsFreeTds(driver)) {
    // The providers' text is Unicode; the library works in UTF-8.
    odbc += "ClientCharset=UTF-8;";
    if (encrypted) odbc += "Encryption=require;";
  } else {
    // The providers encrypted only when asked; the vendor's newer drivers
    // would otherwise refuse a server whose certificate is not trusted.
    odbc += std::string("Encrypt=") + (encrypted ? "yes" : "no") + ";";
    const std::string* trust = Find(pairs, "trust server certificate");
    if (trust != nullptr && IsTrue(*trust)) odbc += "TrustServerCertificate=yes;";
  }
  return odbc;
}

}  // namespace

std::vector<std::pair<std::string, std::string>> SplitConnectionString(const std::string& text) {
  Pairs pairs;
  std::size_t pos = 0;
  while (pos < text.size()) {
    const std::size_t eq = text.find('=', pos);
    const std::size_t semi = text.find(';', pos);
    if (eq == std::string::npos || (semi != std::string::npos && semi < eq)) {
      const std::string part =
          Trim(text.substr(pos, semi == std::string::npos ? std::string::npos : semi - pos));
      if (!part.empty()) {
        // What follows a password unquoted may be the rest of it: never shown.
        if (!pairs.empty() && IsPasswordKey(pairs.back().first)) {
          BadConnectionString(
              "a part without \"=\" follows the password (quote a password holding \";\" in "
              "{...})");
        }
        BadConnectionString("\"" + part + "\" has no \"=\"");
      }
      pos = semi == std::string::npos ? text.size() : semi + 1;
      continue;
    }
    const std::string key = Lower(Trim(text.substr(pos, eq - pos)));
    if (key.empty()) {
      BadConnectionString("a value without a key at \"" + MaskPasswords(text.substr(pos)) + "\"");
    }
    const ScannedValue v = ScanValue(text, eq + 1);
    if (!v.closed) BadConnectionString("unclosed quote in the value of " + key);
    pairs.emplace_back(key, v.value);
    pos = v.end;
  }
  return pairs;
}

std::string ChooseSqlServerDriver(const std::vector<std::string>& installed) {
  std::string best;
  long best_version = -1;
  for (const std::string& name : installed) {
    // "ODBC Driver 18 for SQL Server": the vendor's, newest first.
    const std::string lower = Lower(name);
    if (lower.rfind("odbc driver ", 0) == 0 && lower.ends_with(" for sql server")) {
      const long version = std::strtol(lower.c_str() + 12, nullptr, 10);
      if (version > best_version) {
        best = name;
        best_version = version;
      }
    }
  }
  if (!best.empty()) return best;
  for (const std::string& name : installed) {
    if (IsFreeTds(name)) return name;
  }
  return "";
}

ConnectionTarget ParseConnectionString(const std::string& text) {
  return ParseConnectionString(text, InstalledOdbcDrivers);
}

ConnectionTarget ParseConnectionString(const std::string& text, const DriverList& drivers) {
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
      target.driver = ChooseSqlServerDriver(drivers());
      if (target.driver.empty()) {
        RaiseDatabaseError("ODBC",
                           "No SQL Server ODBC driver is registered: install FreeTDS (tdsodbc) "
                           "or the vendor's driver and register it with odbcinst");
      }
      target.odbc = SqlServerToOdbc(pairs, target.driver);
      return target;
    }
    BadConnectionString("unknown provider \"" + *provider + "\"");
  }
  const std::string* driver = Find(pairs, "driver");
  if (driver != nullptr || Find(pairs, "dsn") != nullptr) {
    target.kind = ConnectionTarget::Kind::kOdbc;
    target.odbc = text;
    if (driver != nullptr) {
      target.driver = *driver;
      // The SQLite driver would create an empty database for a missing file;
      // a database is opened, never created, and waits for another
      // connection's lock as long as the embedded one does.
      // FreeTDS hands text over in the server's code page unless told
      // otherwise; the library works in UTF-8.
      if (IsFreeTds(*driver) && Find(pairs, "clientcharset") == nullptr) {
        if (!target.odbc.ends_with(";")) target.odbc += ";";
        target.odbc += "ClientCharset=UTF-8;";
      }
      if (Lower(*driver).find("sqlite") != std::string::npos) {
        const auto add = [&](const char* key, const char* pair) {
          if (Find(pairs, key) != nullptr) return;
          if (!target.odbc.ends_with(";")) target.odbc += ";";
          target.odbc += pair;
        };
        add("nocreat", "NoCreat=1;");
        add("timeout", "Timeout=60000;");
      }
    }
    return target;
  }
  BadConnectionString("no provider, driver or DSN is named");
}

std::string MaskPasswords(const std::string& text) {
  std::string out;
  std::size_t pos = 0;
  bool after_password = false;
  while (pos < text.size()) {
    const std::size_t eq = text.find('=', pos);
    const std::size_t semi = text.find(';', pos);
    if (eq == std::string::npos || (semi != std::string::npos && semi < eq)) {
      // A part without "=" after a password is the rest of a password that
      // holds ";" unquoted.
      const std::size_t end = semi == std::string::npos ? text.size() : semi + 1;
      if (!after_password) out.append(text, pos, end - pos);
      pos = end;
      continue;
    }
    const std::string key = Lower(Trim(text.substr(pos, eq - pos)));
    const ScannedValue v = ScanValue(text, eq + 1);
    out.append(text, pos, eq + 1 - pos);
    after_password = IsPasswordKey(key);
    if (after_password) {
      out += "****";
      if (text[v.end - 1] == ';' && v.end > eq + 1) out += ";";
    } else {
      out.append(text, eq + 1, v.end - eq - 1);
    }
    pos = v.end;
  }
  return out;
}

}  // namespace tipolaria
