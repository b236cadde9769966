// The ODBC drivers registered with the driver manager (odbcinst.ini).
#ifndef TIPOLARIA_DATA_ODBCDRIVERS_HPP_
#define TIPOLARIA_DATA_ODBCDRIVERS_HPP_

#include <string>
#include <vector>

namespace tipolaria {

// Their names as a connection string's Driver= takes them; empty when the
// driver manager cannot be asked.
std::vector<std::string> InstalledOdbcDrivers();

}  // namespace tipolaria

#endif  // TIPOLARIA_DATA_ODBCDRIVERS_HPP_
