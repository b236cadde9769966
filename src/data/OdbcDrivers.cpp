#include "data/OdbcDrivers.hpp"

#include <sql.h>
#include <sqlext.h>

#include "data/OdbcHandle.hpp"

namespace tipolaria {

std::vector<std::string> InstalledOdbcDrivers() {
  std::vector<std::string> names;
  OdbcHandle env(SQL_HANDLE_ENV, nullptr);
  SQLSetEnvAttr(env.get(), SQL_ATTR_ODBC_VERSION,
                reinterpret_cast<SQLPOINTER>(static_cast<SQLULEN>(SQL_OV_ODBC3)), 0);
  SQLUSMALLINT direction = SQL_FETCH_FIRST;
  for (;;) {
    SQLCHAR name[256] = {};
    SQLCHAR attributes[1024] = {};
    SQLSMALLINT name_length = 0, attributes_length = 0;
    const SQLRETURN rc = SQLDrivers(env.get(), direction, name, sizeof name, &name_length,
                                    attributes, sizeof attributes, &attributes_length);
    if (!SQL_SUCCEEDED(rc)) break;
    names.emplace_back(reinterpret_cast<const char*>(name));
    direction = SQL_FETCH_NEXT;
  }
  return names;
}

}  // namespace tipolaria
