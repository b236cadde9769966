// The service's listening socket, made as a server that faces many clients
// needs it: a port that is in use is an error, never shared, and a burst
// of clients connecting at once waits in a long enough queue.
#ifndef TIPOLARIA_CLI_SERVE_LISTENER_HPP_
#define TIPOLARIA_CLI_SERVE_LISTENER_HPP_

#include <httplib.h>

#include "serve/ListenAddress.hpp"

namespace tipolaria::serve {

// Connections the system holds for the service before it accepts them.
inline constexpr int kListenBacklog = 512;

// Binds `server` to `address` (port 0: any free port). The port bound, or
// -1 when the address cannot be bound.
int Bind(httplib::Server& server, const ListenAddress& address);

}  // namespace tipolaria::serve

#endif  // TIPOLARIA_CLI_SERVE_LISTENER_HPP_
