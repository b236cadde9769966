// One ODBC handle (environment, connection or statement) of the driver
// manager, freed when the object goes; a connection handle is disconnected
// first. The handle's diagnostics become the system's errors: the driver's
// messages and SQLSTATE as the description, the number as the original
// data-access layer gave it (a conversion failure, any other provider
// failure), the driver as the source.
#ifndef TIPOLARIA_DATA_ODBCHANDLE_HPP_
#define TIPOLARIA_DATA_ODBCHANDLE_HPP_

#include <sql.h>

#include <string>

#include "tipolaria/error.hpp"

namespace tipolaria {

class OdbcHandle {
 public:
  OdbcHandle() = default;
  // Allocates a handle of `type` under `parent` (an environment without one).
  OdbcHandle(SQLSMALLINT type, const OdbcHandle* parent);
  ~OdbcHandle();
  OdbcHandle(OdbcHandle&& other) noexcept;
  OdbcHandle& operator=(OdbcHandle&& other) noexcept;
  OdbcHandle(const OdbcHandle&) = delete;
  OdbcHandle& operator=(const OdbcHandle&) = delete;

  SQLHANDLE get() const { return handle_; }
  // A connection handle marks itself connected so that it disconnects first.
  void SetConnected() { connected_ = true; }

  // Raises the handle's diagnostics when `rc` is not a success. `context`
  // is appended to the description (" in: <statement>").
  void Check(SQLRETURN rc, const std::string& source, const std::string& context = "") const;
  [[noreturn]] void Raise(const std::string& source, const std::string& context = "") const;
  // The error Raise raises, from the diagnostics the handle holds now.
  ComError Error(const std::string& source, const std::string& context = "") const;
  // The SQLSTATE of the handle's first diagnostic record; empty for none.
  std::string State() const;

 private:
  void Free();

  SQLSMALLINT type_ = 0;
  SQLHANDLE handle_ = SQL_NULL_HANDLE;
  bool connected_ = false;
};

}  // namespace tipolaria

#endif  // TIPOLARIA_DATA_ODBCHANDLE_HPP_
