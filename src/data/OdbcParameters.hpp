// The parameters of one ODBC statement: a column of buffers for each "?"
// marker and a row for each execution, so that an array of rows goes to the
// driver as one request. Owns the buffers the driver reads and writes; they
// stay in place from Bind until the statement is done.
#ifndef TIPOLARIA_DATA_ODBCPARAMETERS_HPP_
#define TIPOLARIA_DATA_ODBCPARAMETERS_HPP_

#include <sql.h>
#include <sqlext.h>

#include <optional>
#include <string>
#include <vector>

#include "data/Backend.hpp"
#include "data/OdbcHandle.hpp"
#include "runtime/Value.hpp"

namespace tipolaria {

class OdbcParameters {
 public:
  // Rows of input values, one value per marker; a marker's SQL type follows
  // its values (whole numbers, floating point, dates, otherwise text). With
  // `dates_as_text` dates go as 'YYYY-MM-DD HH:MM:SS', as an SQLite file
  // holds them; otherwise as timestamps, which no server's date format can
  // misread.
  OdbcParameters(const std::vector<std::vector<Value>>& rows, bool dates_as_text);
  // The one row of a stored-procedure call, with the type and direction
  // codes of the original data-access layer.
  explicit OdbcParameters(const std::vector<ProcedureParam>& params);
  OdbcParameters(const OdbcParameters&) = delete;
  OdbcParameters& operator=(const OdbcParameters&) = delete;

  // Binds every marker, and the rows, to `stmt`.
  void Bind(const OdbcHandle& stmt, const std::string& source);
  // After the execution: raises when a row failed or was not processed,
  // with `said` (what the driver said right after the execution) when it
  // said something, else with what the statement holds now.
  void CheckRows(const OdbcHandle& stmt, const std::string& source, const std::string& context,
                 const std::optional<ComError>& said = std::nullopt) const;

 private:
  struct Marker {
    SQLSMALLINT io = SQL_PARAM_INPUT;
    SQLSMALLINT c_type = SQL_C_CHAR;
    SQLSMALLINT sql_type = SQL_VARCHAR;
    SQLULEN column_size = 1;
    SQLSMALLINT digits = 0;
    SQLLEN width = 1;  // bytes of one row in `data`
    std::vector<char> data;
    std::vector<SQLLEN> lengths;
  };
  static Marker TextMarker(const std::vector<const Value*>& values, SQLSMALLINT sql_type);

  std::vector<Marker> markers_;
  std::size_t rows_ = 0;
  std::vector<SQLUSMALLINT> status_;
  SQLULEN processed_ = 0;
};

}  // namespace tipolaria

#endif  // TIPOLARIA_DATA_ODBCPARAMETERS_HPP_
